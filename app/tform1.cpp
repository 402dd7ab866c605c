#include "app/tform1.h"
