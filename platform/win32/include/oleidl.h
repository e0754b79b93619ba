#pragma once

#include "ole2.h"
