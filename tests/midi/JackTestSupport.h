#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tests/midi/JackServer.h"

// For a test's SetUp: starts the test's own JACK server (JackServer), or
// skips the test where jackd is not installed.
#define DORVA_START_JACK_SERVER(server)                                                                        \
    do                                                                                                         \
    {                                                                                                          \
        const std::string jackd = JackServer::FindJackd();                                                     \
        if (jackd.empty())                                                                                     \
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2): no MIDI server to test against"; \
        ASSERT_TRUE((server).Start(jackd)) << (server).error();                                                \
    } while (false)
