#pragma once
#include "TestBoard.h"

// A board that plays through the sound service and log the test gives it.
using SoundBoard = TestBoard;
