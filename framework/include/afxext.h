// The framework's extensions (control bars, splitter windows, form views, bitmap buttons) build on its core,
// which is what this header gives; the extension classes themselves are not offered.
#pragma once

#include "afxwin.h"
