// sheetpress: its command line, the page range, and whole runs onto the
// virtual printer (a PDF) with the messages they give.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "platform/base/cp932.h"
#include "platform/emf/emf_writer.h"
#include "sheetpress/press.h"

namespace kumi::sheetpress {
namespace {

namespace fs = std::filesystem;

TEST(Request, TakesTheWordsHoweverTheyArrive) {
  const auto split = parseRequest({"0001", "0003", "PR"});
  ASSERT_TRUE(split);
  EXPECT_EQ(split->first, "0001");
  EXPECT_EQ(split->last, "0003");
  const auto joined = parseRequest({"    0004 0012 PR"});
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->first, "0004");
  EXPECT_EQ(joined->last, "0012");
  EXPECT_FALSE(parseRequest({"0001"}));
  EXPECT_FALSE(parseRequest({}));
}

struct RangeCase {
  std::string first, last;
  std::vector<std::string> existing;
  std::vector<std::string> names;
};

// Names the case "first-last" in test names and failures.
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.first << "-" << c.last; }

class Range : public ::testing::TestWithParam<RangeCase> {};

TEST_P(Range, NamesThePagesFromFirstToLast) {
  const RangeCase& k = GetParam();
  EXPECT_EQ(pageNamesInRange(k.first, k.last, k.existing), k.names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Range,
    ::testing::Values(RangeCase{"0001", "0003", {}, {"0001", "0002", "0003"}},
                      RangeCase{"0009", "0011", {}, {"0009", "0010", "0011"}},
                      RangeCase{"0007", "0007", {}, {"0007"}},
                      RangeCase{"12", "13", {}, {"0012", "0013"}},
                      RangeCase{"0003", "0001", {}, {}},
                      RangeCase{"0", "99999", {}, {}},  // more pages than names
                      RangeCase{"A001", "A003", {"A003", "B000", "A001", "0001", "A002"},
                                {"A001", "A002", "A003"}}));

// A program folder with WINPRM.cfg naming a data folder, as the system
// leaves them; the test runs inside the program folder.
class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("sheetpress_test_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "prog");
    fs::create_directories(root_ / "data");
    std::ofstream(root_ / "prog" / "WINPRM.cfg") << "3,\"" << (root_ / "data").string() << "/\"\r\n";
    log_ = (root_ / "messages.log").string();
    ::setenv("KUMI_MSGBOX_LOG", log_.c_str(), 1);
    old_ = fs::current_path();
    fs::current_path(root_ / "prog");
  }
  void TearDown() override {
    fs::current_path(old_);
    ::unsetenv("KUMI_MSGBOX_LOG");
    fs::remove_all(root_);
  }
  // A page of `w` × `h` mm with a line of text.
  void page(const std::string& name, int32_t w, int32_t h, const char* text) {
    platform::EmfWriter emf({w * 10, h * 10, w, h, 0, 0}, {0, 0, w * 100, h * 100}, "page");
    emf.setMapMode(platform::MapMode::HiMetric);
    platform::LogFont f;
    f.height = 500;
    f.faceName = "ＭＳ 明朝";
    emf.selectObject(emf.createFont(f));
    emf.textOut({1000, -1000}, *platform::utf8ToCp932(text));
    const auto& bytes = emf.finish();
    std::ofstream(root_ / "data" / (name + ".emf"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  std::string messages() const {
    std::ifstream in(log_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  QByteArray pdf(const std::string& name) const {
    QFile f(QString::fromStdString((root_ / "data" / name).string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  std::string dataPath(const std::string& name) const { return (root_ / "data" / name).string(); }

  fs::path root_, old_;
  std::string log_;
};

const std::string kVirtual = "KUMI PDF,KUMIPDF,FILE:";

int count(const QByteArray& bytes, const char* pattern) {
  return int(QString::fromLatin1(bytes).count(QRegularExpression(QString::fromLatin1(pattern))));
}

TEST_F(Run, WritesOnePdfPagePerPageFileAtItsSizeAndSkipsTheMissing) {
  page("0001", 210, 297, "一頁目");
  page("0003", 297, 210, "三頁目");
  EXPECT_EQ(runSheetpress({"0001", "0003", "PR"}, kVirtual), 0);
  EXPECT_EQ(messages(), dataPath("0002.emf") + "\tパスが見つかりません。\n");
  const QByteArray out = pdf("0001-0003.pdf");
  ASSERT_FALSE(out.isEmpty());
  EXPECT_EQ(count(out, "/Type /Page\\b"), 2);
  EXPECT_EQ(count(out, "/MediaBox \\[0 0 595[.0-9]* 842[.0-9]*\\]"), 1);  // A4 portrait
  EXPECT_EQ(count(out, "/MediaBox \\[0 0 842[.0-9]* 595[.0-9]*\\]"), 1);  // and landscape
  EXPECT_GE(count(out, "/FontFile2"), 1);  // the face goes with the file
}

TEST_F(Run, PdfTextReadsBack) {
  if (std::system("pdftotext -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  page("0001", 100, 50, "組版ページ");
  ASSERT_EQ(runSheetpress({"0001", "0001", "PR"}, kVirtual), 0);
  const std::string txt = dataPath("out.txt");
  ASSERT_EQ(std::system(("pdftotext " + dataPath("0001-0001.pdf") + " " + txt).c_str()), 0);
  std::ifstream in(txt);
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_NE(s.str().find("組版ページ"), std::string::npos) << s.str();
}

TEST_F(Run, NoPageAtAllIsAFailureWithAMessage) {
  EXPECT_EQ(runSheetpress({"0005", "0006", "PR"}, kVirtual), 1);
  EXPECT_EQ(messages(), dataPath("0005.emf") + "\tパスが見つかりません。\n" + dataPath("0006.emf") +
                            "\tパスが見つかりません。\nsheetpress\t印刷できるページファイルがありません。\n");
  EXPECT_FALSE(fs::exists(dataPath("0005-0006.pdf")));
}

TEST_F(Run, AnUnreadablePageIsSkipped) {
  std::ofstream(root_ / "data" / "0001.emf") << "not a metafile";
  page("0002", 50, 50, "二");
  EXPECT_EQ(runSheetpress({"0001", "0002", "PR"}, kVirtual), 0);
  EXPECT_EQ(messages(), dataPath("0001.emf") + "\tページファイルを読めません。\n");
  EXPECT_EQ(count(pdf("0001-0002.pdf"), "/Type /Page\\b"), 1);
}

TEST_F(Run, MissingSettingsOrArgumentsEndWithStatusOne) {
  EXPECT_EQ(runSheetpress({"0001"}, kVirtual), 1);
  fs::remove(root_ / "prog" / "WINPRM.cfg");
  EXPECT_EQ(runSheetpress({"0001", "0001", "PR"}, kVirtual), 1);
  EXPECT_EQ(messages(), "sheetpress\t印刷するページの範囲がありません。\nWINPRM.CFG\tパスが見つかりません。\n");
}

TEST_F(Run, AnUnknownPrinterIsAPrinterError) {
  page("0001", 50, 50, "一");
  EXPECT_EQ(runSheetpress({"0001", "0001", "PR"}, "kumi-no-such-printer,CUPS,x:"), 1);
  EXPECT_EQ(messages(), "プリンターデバイスエラー\tkumi-no-such-printer\n");
}

TEST_F(Run, AnEmptyPrinterEntryIsAPrinterErrorAndWritesNoPdf) {
  page("0001", 50, 50, "一");
  EXPECT_EQ(runSheetpress({"0001", "0001", "PR"}, ""), 1);
  EXPECT_EQ(messages(), "プリンターデバイスエラー\t\n");
  EXPECT_FALSE(fs::exists(dataPath("0001-0001.pdf")));
}

}  // namespace
}  // namespace kumi::sheetpress
