// Standard output and error on a console. A console shows UTF-16; the UTF-8 the viewer writes
// would show as the console's code page reads its bytes (a folder in Cyrillic as a row of
// other letters). Where a stream is a console, it is written through WriteConsoleW instead;
// into a file, a pipe or a terminal that is no console, the bytes stay UTF-8 as they are.
// Needs: the platform layer.
#pragma once

// Puts std::cout and std::cerr on the console where they are one. Called once at start.
void useConsolesForText();
