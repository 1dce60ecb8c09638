#pragma once

// The port functions moved to the platform seam.
#include "system_ports.h"
