#pragma once

// The application object a fuzzer's code under test expects: the offscreen
// platform, for fonts and image plugins.
void StartFuzzApplication();
