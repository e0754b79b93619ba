#include "afx/StringArray.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)
