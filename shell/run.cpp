#include "run.h"
