#include "HotelServiceStandIn.h"
