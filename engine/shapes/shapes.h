#pragma once
// Rule, shape and image calls (kinds K and G).
namespace kumi::engine {

class Engine;

void composeRule(Engine& engine);
void composeImage(Engine& engine);

}  // namespace kumi::engine
