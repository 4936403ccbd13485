#pragma once

// Registers the console's built-in resources (style sheet, images). The
// resources live in a static library, whose registration the linker would
// otherwise drop; start-up and the tests call this once.
void initConsoleResources();
