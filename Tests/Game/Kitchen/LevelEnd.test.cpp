#include "KitchenTest.h"
