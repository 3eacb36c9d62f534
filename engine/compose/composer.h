#pragma once
// Composition of the current call's text, with the results left in
// Engine::results().
//
// One pass: digit handling, cells (cells/), line breaking (breaking/), and
// placement, horizontal (horizontal/) or vertical by the kind letter J. When
// space removal deletes an ideographic space at a line edge, the pass starts
// again from the digit handling with the shortened text. The results are the
// natural length and line count of the last round and the placement's cursor.
namespace kumi::engine {

class Engine;

void composeText(Engine& engine);

}  // namespace kumi::engine
