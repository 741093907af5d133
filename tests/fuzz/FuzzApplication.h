#pragma once

// The application object a fuzzer's code under test expects: the offscreen
// platform (fonts, image plugins), and message and error boxes that report
// nowhere, since nobody is there to close them.
void StartFuzzApplication();
