// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com/Guid.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

TEST(Guid, FormatsAndParsesTheBracedForm)
{
    const GUID g = MakeGuid(0x5D0C1E2A, 0x7B44, 0x4C19, {0x9A, 0x3E, 0x21, 0xF6, 0xB8, 0xD4, 0xC7, 0x05});
    EXPECT_EQ(g.ToString(), "{5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C705}");
    EXPECT_EQ(GUID::Parse("{5d0c1e2a-7b44-4c19-9a3e-21f6b8d4c705}"), g);
    EXPECT_EQ(GUID::Parse(u"{5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C705}"), g);
    EXPECT_EQ(GUID::Parse(g.ToU16String()), g);
}

TEST(Guid, RejectsMalformedText)
{
    EXPECT_FALSE(GUID::Parse(""));
    EXPECT_FALSE(GUID::Parse("5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C705"));
    EXPECT_FALSE(GUID::Parse("{5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C70}"));
    EXPECT_FALSE(GUID::Parse("{5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C70G}"));
    EXPECT_FALSE(GUID::Parse("{5D0C1E2A+7B44-4C19-9A3E-21F6B8D4C705}"));
    EXPECT_FALSE(GUID::Parse("{5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C7050}"));
}

TEST(Guid, BytesRoundTripInPlatformOrder)
{
    const GUID g = MakeGuid(0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16});
    const auto bytes = g.ToBytes();
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[4], 0x06);
    EXPECT_EQ(bytes[8], 9);
    EXPECT_EQ(GUID::FromBytes(bytes.data()), g);
}

TEST(Guid, GeneratedIdentifiersAreDistinctVersionFour)
{
    std::set<GUID> seen;
    for (int i = 0; i < 1000; ++i) {
        const GUID g = GUID::Generate();
        EXPECT_EQ(g.Data3 >> 12, 4);
        EXPECT_EQ(g.Data4[0] & 0xC0, 0x80) << "the RFC 4122 variant";
        EXPECT_FALSE(g.IsNull());
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Guid, AProcessAndItsForkedChildNeverGenerateTheSameIdentifier)
{
    // A generator seeded once per process would hand both sides of a fork the same
    // sequence; the system's generator does not.
    GUID::Generate();
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const auto bytes = GUID::Generate().ToBytes();
        const bool written = ::write(pipeEnds[1], bytes.data(), bytes.size()) == ssize_t(bytes.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    const GUID mine = GUID::Generate();
    std::array<uint8_t, 16> theirs{};
    const ssize_t got = ::read(pipeEnds[0], theirs.data(), theirs.size());
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(got, ssize_t(theirs.size()));
    EXPECT_NE(GUID::FromBytes(theirs.data()), mine);
}
