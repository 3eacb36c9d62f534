#include "samples/demo1/sample_sequence.h"

namespace kumi::samples {

void runSample(CallSet& s) {
  s.command.set("O");  // open a run
  callEngine(s);

  // Horizontal text; "＠" breaks the line.
  s.command.set("L");
  s.recordKind.set("B2");
  s.pageNumber.set("1");
  s.charSize.set("24");
  s.fontCode.set("F1");
  s.placeSize.set("24");
  s.originX = 700;
  s.originY = 500;
  s.blockExtent = 100;
  s.blockAlign.set("1");
  s.linePitch = 190;
  s.lineLength = 400;
  s.breakChar.set("\x81\x97");  // ＠
  s.lineAlign.set("B");
  s.setText("大中小＠大中小");
  callEngine(s);

  // The same text set vertically.
  s.recordKind.set("J0");
  s.originX = 500;
  s.originY = 600;
  s.blockExtent = 500;
  s.blockAlign.set("0");
  s.linePitch = 190;
  s.lineLength = 400;
  s.setText("大中小＠大中小");
  callEngine(s);

  // An image, looked for in the data directory.
  s.recordKind.set("GB");
  s.originX = 1000;
  s.originY = 1700;
  s.coord1 = 168;
  s.coord2 = 340;
  s.setText("kumidesk.bmp");
  callEngine(s);

  // A rounded box.
  s.recordKind.set("K ");
  s.originX = 1000;
  s.ruleType.set("M");
  s.ruleStyle.set("5O1");
  s.coord1 = 1100;
  s.coord2 = 300;
  s.coord3 = 1400;
  s.coord4 = 600;
  callEngine(s);

  // A vertical rule.
  s.ruleType.set("T");
  s.ruleStyle.set("1A1");
  s.coord1 = 1000;
  s.coord2 = 1300;
  s.coord3 = 1500;
  callEngine(s);

  // A horizontal rule.
  s.ruleType.set("Y");
  s.ruleStyle.set("7A1");
  s.coord1 = 1000;
  s.coord2 = 700;
  s.coord3 = 1100;
  callEngine(s);

  s.command.set("C");  // close the run
  callEngine(s);
}

}  // namespace kumi::samples
