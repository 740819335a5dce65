#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "engine/base/Geometry.h"
#include "engine/base/Matrix.h"
#include "engine/base/Random.h"
#include "engine/base/SinTable.h"
#include "tests/support/TestSupport.h"

TEST(SinTable, QuarterTurnsAndWrap) {
    EXPECT_EQ(CSinTable::Sin(0), 0);
    EXPECT_EQ(CSinTable::Sin(128), 65536);
    EXPECT_EQ(CSinTable::Sin(256), 0);
    EXPECT_EQ(CSinTable::Sin(384), -65536);
    EXPECT_EQ(CSinTable::Sin(512 + 128), 65536);
    EXPECT_EQ(CSinTable::Sin(-128), -65536);
    EXPECT_EQ(CSinTable::Cos(0), 65536);
    EXPECT_EQ(CSinTable::Cos(INT32_MAX), CSinTable::Sin(127));  // wraps, no overflow
    EXPECT_EQ(CSinTable::Sin(64), 46340);   // sin 45° × 65536 = 46340.95 truncated
    EXPECT_EQ(CSinTable::Sin(320), -46340);  // truncated toward zero
}

TEST(Random, KnownSequenceAndModulo) {
    CRandom r(5489);
    EXPECT_EQ(r.Next(), 3499211612u);
    CRandom a(1234), b(1234);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a.Random(7), b.Random(7));
    }
    CRandom c(5489);
    EXPECT_EQ(c.Random(0), 0u);
    EXPECT_EQ(c.Random(1000), 581869302u % 1000);  // second output of the sequence
}

// The generator is written out (to keep <random> out of its header); it must still give
// std::mt19937's sequence, past several refills of its state and after a reseed.
TEST(Random, FollowsTheStandardMersenneTwister) {
    for (uint32_t seed : {0u, 1u, 42u, 5489u, 0x80000000u, 0xFFFFFFFFu}) {
        CRandom ours(seed);
        std::mt19937 standard(seed);
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(ours.Next(), standard()) << "seed " << seed << ", output " << i;
        }
        ours.Seed(seed ^ 0x5A5A5A5Au);
        standard.seed(seed ^ 0x5A5A5A5Au);
        for (int i = 0; i < 700; ++i) {
            ASSERT_EQ(ours.Next(), standard()) << "reseeded " << seed << ", output " << i;
        }
        CRandom copy = ours;
        EXPECT_EQ(copy.Next(), ours.Next());
    }
}

TEST(Random, TestSeedMakesDefaultBuiltGeneratorsRepeat) {
    CRandom::SetDefaultSeedForTests(42);
    CRandom a, b;
    testsupport::RestoreTestSeed();
    EXPECT_EQ(a.Next(), b.Next());
}

TEST(Matrix, BuildersAndRowVectorProduct) {
    CMatrix4 t, s, r, id;
    MatrixIdentity(&id);
    MatrixTranslation(&t, 10, 20, 0);
    MatrixScaling(&s, 2, 3, 1);
    EXPECT_EQ(t.m[3][0], 10.0f);
    EXPECT_EQ(t.m[3][1], 20.0f);
    EXPECT_EQ(s.m[3][3], 1.0f);
    // Scale first, then translate: (1, 1) → (2, 3) → (12, 23).
    MatrixMultiply(&r, &s, &t);
    float x, y, z;
    MatrixTransformPoint(r, 1, 1, 0, &x, &y, &z);
    EXPECT_EQ(x, 12.0f);
    EXPECT_EQ(y, 23.0f);
    // The other order: (1, 1) → (11, 21) → (22, 63).
    MatrixMultiply(&r, &t, &s);
    MatrixTransformPoint(r, 1, 1, 0, &x, &y, &z);
    EXPECT_EQ(x, 22.0f);
    EXPECT_EQ(y, 63.0f);
    MatrixMultiply(&r, &id, &t);
    EXPECT_EQ(r, t);
    EXPECT_NE(r, s);
    // Output may alias an input.
    MatrixMultiply(&t, &t, &s);
    MatrixTransformPoint(t, 0, 0, 0, &x, &y, &z);
    EXPECT_EQ(x, 20.0f);
}

TEST(Geometry, PointInRectIsHalfOpen) {
    SRect rc{0, 0, 10, 5};
    EXPECT_TRUE(IsPointInRect(rc, {0, 0}));
    EXPECT_TRUE(IsPointInRect(rc, {9, 4}));
    EXPECT_FALSE(IsPointInRect(rc, {10, 4}));
    EXPECT_FALSE(IsPointInRect(rc, {9, 5}));
    EXPECT_FALSE(IsPointInRect(rc, {-1, 0}));
    SRect out;
    EXPECT_TRUE(IntersectRect(&out, rc, SRect{5, 2, 20, 20}));
    EXPECT_EQ(out, (SRect{5, 2, 10, 5}));
    EXPECT_FALSE(IntersectRect(&out, rc, SRect{10, 0, 20, 5}));
    EXPECT_TRUE(out.IsEmpty());
    UnionRect(&out, rc, SRect{20, 20, 30, 30});
    EXPECT_EQ(out, (SRect{0, 0, 30, 30}));
}

TEST(Geometry, OffsetWrapsAtTheEndsOfTheIntRange) {
    SRect rc{INT32_MAX - 1, INT32_MIN + 1, INT32_MAX, INT32_MIN + 2};
    OffsetRect(&rc, 2, -2);
    EXPECT_EQ(rc, (SRect{INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MIN}));
    OffsetRect(&rc, -2, 2);
    EXPECT_EQ(rc, (SRect{INT32_MAX - 1, INT32_MIN + 1, INT32_MAX, INT32_MIN + 2}));
}
