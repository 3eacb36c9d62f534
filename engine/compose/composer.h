#pragma once
// Composition of the current call's text (its cells, line breaking and
// placement), with the results left in Engine::results().
namespace kumi::engine {

class Engine;

void composeText(Engine& engine);

}  // namespace kumi::engine
