#pragma once

#include "tests/midi/JackServer.h"
