#include "engine/compose/composer.h"

#include "engine/core/engine.h"

namespace kumi::engine {

// Text composition arrives with the composer; until then a text call places
// nothing and leaves the results of the last composition standing.
void composeText(Engine& /*engine*/) {}

}  // namespace kumi::engine
