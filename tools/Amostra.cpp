#include "tools/Amostra.h"
