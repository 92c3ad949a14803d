// Boxes, triangles and the vector routines.
#include <cmath>

#include "tests/engine/engine_fixture.h"

namespace {

using Construction = EngineTest;

// Corner slots of a box of halfSize 1 after the quarter turn in the y-z plane: (x, y, z) becomes
// (x, z, -y), so the slot written as (-s, +s, -s) ends at (-s, -s, -s), and so on.
constexpr float TurnedCorners[8][3] = {
    {-1, -1, -1}, {+1, -1, -1}, {+1, -1, +1}, {-1, -1, +1},
    {-1, +1, -1}, {+1, +1, -1}, {+1, +1, +1}, {-1, +1, +1},
};
constexpr uint32_t FaceCorners[6][4] = {
    {4, 5, 6, 7}, {0, 1, 2, 3}, {4, 5, 1, 0}, {7, 6, 2, 3}, {5, 1, 2, 6}, {4, 0, 3, 7},
};
constexpr float FaceNormals[6][3] = {
    {0, +1, 0}, {0, -1, 0}, {0, 0, -1}, {0, 0, +1}, {+1, 0, 0}, {-1, 0, 0},
};
// Faces are tagged in ascending order, so a corner keeps the highest face listing it: faces 4
// (x = +s) and 5 (x = -s) come last and between them list every corner.
constexpr uint32_t CornerTags[8] = {5, 4, 4, 5, 5, 4, 4, 5};

TEST_F(Construction, BoxCornersNormalsAndFacesFollowTheTables) {
  CreateBoxObject(3, 0, 0, 0, 597, 50.0f);
  const uint32_t b = 14 * 3;
  for (int k = 0; k < 8; ++k) {
    const SceneVertex& v = VertexPool[b + k];
    // The turn rounds: a residue of about 3e-10 of the radius, then single precision.
    EXPECT_NEAR(v.x, 50 * TurnedCorners[k][0], 1e-4) << "slot " << k;
    EXPECT_NEAR(v.y, 50 * TurnedCorners[k][1], 1e-4) << "slot " << k;
    EXPECT_NEAR(v.z, 50 * TurnedCorners[k][2], 1e-4) << "slot " << k;
    EXPECT_EQ(v.faceTag, CornerTags[k]) << "slot " << k;
  }
  for (uint32_t f = 0; f < 6; ++f) {
    const SceneVertex& n = VertexPool[b + 8 + f];
    EXPECT_NEAR(n.x, FaceNormals[f][0], 1e-6) << "face " << f;
    EXPECT_NEAR(n.y, FaceNormals[f][1], 1e-6) << "face " << f;
    EXPECT_NEAR(n.z, FaceNormals[f][2], 1e-6) << "face " << f;
    EXPECT_EQ(n.faceTag, f);
    const SceneFace& face = ObjectPool[3].faces[f];
    for (int k = 0; k < 4; ++k) EXPECT_EQ(face.corners[k], b + FaceCorners[f][k]);
    EXPECT_EQ(face.normal, b + 8 + f);
    EXPECT_EQ(face.texture, 597u);
    EXPECT_EQ(face.visible, 1);
    EXPECT_EQ(face.reservedFlag, 0);
  }
  EXPECT_EQ(ObjectPool[3].faces[0].kind, ObjectKindBox);
}

// The centre is added in single precision after the turn, to the corners only.
TEST_F(Construction, BoxTranslationAddsTheCentreInSinglePrecision) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  CreateBoxObject(2, 100.3f, -7.1f, 1110.7f, 597, 50.0f);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(VertexPool[28 + k].x, VertexPool[14 + k].x + 100.3f);
    EXPECT_EQ(VertexPool[28 + k].y, VertexPool[14 + k].y + -7.1f);
    EXPECT_EQ(VertexPool[28 + k].z, VertexPool[14 + k].z + 1110.7f);
  }
  for (int k = 8; k < 14; ++k) {
    EXPECT_EQ(VertexPool[28 + k].x, VertexPool[14 + k].x);
    EXPECT_EQ(VertexPool[28 + k].y, VertexPool[14 + k].y);
    EXPECT_EQ(VertexPool[28 + k].z, VertexPool[14 + k].z);
  }
  // Neighbouring boxes share a plane but no vertex record: face 4 of box 1 (x = +50) and face 5
  // of box 2 (x = 100 - 50).
  CreateBoxObject(2, 100, 0, 0, 597, 50.0f);
  for (int k = 0; k < 4; ++k) {
    uint32_t a = ObjectPool[1].faces[4].corners[k], b = ObjectPool[2].faces[5].corners[k];
    EXPECT_NEAR(VertexPool[a].x, 50, 1e-4);
    EXPECT_NEAR(VertexPool[b].x, 50, 1e-4);
    EXPECT_TRUE(a >= 14u && a < 22u && b >= 28u && b < 36u) << a << " " << b;
  }
}

// A negative halfSize mirrors the box through its centre. Every corner is negated, and the cross
// product of two negated differences is unchanged, so each normal keeps its direction while its
// face moves to the other side: face 0 lies at y = -50 with normal +y, pointing inward.
TEST_F(Construction, NegativeHalfSizeTurnsTheNormalsInward) {
  CreateBoxObject(1, 0, 0, 0, 597, -50.0f);
  for (uint32_t f = 0; f < 6; ++f) {
    const SceneVertex& normal = VertexPool[22 + f];
    const SceneVertex& corner = VertexPool[ObjectPool[1].faces[f].corners[0]];
    double outward = normal.x * corner.x + normal.y * corner.y + normal.z * corner.z;
    EXPECT_NEAR(outward, -50, 1e-3) << "face " << f;
    EXPECT_NEAR(normal.x, FaceNormals[f][0], 1e-6);
    EXPECT_NEAR(normal.y, FaceNormals[f][1], 1e-6);
    EXPECT_NEAR(normal.z, FaceNormals[f][2], 1e-6);
  }
}

// P1 (0,0,0), P2 (10,0,0), P3 (0,10,0) run anticlockwise seen from +z.
// Slot 8: (P3 - P1) x (P2 - P1) = (0,10,0) x (10,0,0) = (0, 0, -100), length 100: (0, 0, -1).
// Slot 9: (P1 - P3) x (P2 - P3) = (0,-10,0) x (10,-10,0) = (0, 0, 100): (0, 0, +1).
TEST_F(Construction, TriangleNormalsComeInBothDirections) {
  vertices[14 * 5 + 4].x = 123.0f;  // slots 4..7 keep what they held
  CreateTriangleObject(5, 0, 0, 0, 10, 0, 0, 0, 10, 0, 597);
  const uint32_t b = 14 * 5;
  EXPECT_EQ(VertexPool[b + 8].x, 0.0f);
  EXPECT_EQ(VertexPool[b + 8].y, 0.0f);
  EXPECT_EQ(VertexPool[b + 8].z, -1.0f);
  EXPECT_EQ(VertexPool[b + 9].x, 0.0f);
  EXPECT_EQ(VertexPool[b + 9].y, 0.0f);
  EXPECT_EQ(VertexPool[b + 9].z, 1.0f);
  EXPECT_EQ(VertexPool[b + 1].x, 10.0f);
  EXPECT_EQ(VertexPool[b + 2].y, 10.0f);
  EXPECT_EQ(VertexPool[b + 3].x, 0.0f);
  EXPECT_EQ(VertexPool[b + 3].y, 0.0f);
  EXPECT_EQ(VertexPool[b + 3].z, 0.0f);
  EXPECT_EQ(VertexPool[b + 4].x, 123.0f);

  const SceneObject& object = ObjectPool[5];
  EXPECT_EQ(object.faces[0].kind, ObjectKindTriangle);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(object.faces[0].corners[k], b + k);
    EXPECT_EQ(object.faces[1].corners[k], b + k);
  }
  EXPECT_EQ(object.faces[0].normal, b + 8);
  EXPECT_EQ(object.faces[1].normal, b + 9);
  for (uint32_t f = 2; f < 6; ++f) {
    for (int k = 0; k < 4; ++k) EXPECT_EQ(object.faces[f].corners[k], b + FaceCorners[f][k]);
    EXPECT_EQ(object.faces[f].normal, b + 8 + f);
  }
  for (uint32_t f = 0; f < 6; ++f) {
    EXPECT_EQ(object.faces[f].visible, 1);
    EXPECT_EQ(object.faces[f].reservedFlag, 0);
    EXPECT_EQ(object.faces[f].texture, 597u);
  }
}

TEST_F(Construction, ABoxOverATriangleReplacesAllSlotsAndCollinearPointsHaveNoNormal) {
  CreateTriangleObject(1, 5, 5, 5, 6, 5, 5, 5, 6, 5, 598);
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(std::fabs(VertexPool[14 + k].x), 50, 1e-4);
  EXPECT_EQ(ObjectPool[1].faces[0].kind, ObjectKindBox);
  EXPECT_EQ(ObjectPool[1].faces[1].normal, 14u + 9u);
  EXPECT_EQ(ObjectPool[1].faces[1].texture, 597u);
  // Collinear triangle points give no finite normal.
  CreateTriangleObject(2, 0, 0, 0, 1, 1, 1, 2, 2, 2, 597);
  EXPECT_FALSE(std::isfinite(VertexPool[28 + 8].x));
  EXPECT_FALSE(std::isfinite(VertexPool[28 + 9].z));
}

// The length is taken in double and rounded to single precision; normalising divides by that
// rounded length widened again, so the unit vector of (1, 1, 1) is 1 / (float)sqrt(3), which
// differs from 1 / sqrt(3) in the last bits of a double.
TEST(VectorRoutines, LengthIsRoundedToSinglePrecisionBeforeNormalising) {
  Vec3 v{1, 1, 1};
  EXPECT_EQ(VecLength(v), static_cast<float>(std::sqrt(3.0)));
  double expected = 1.0 / static_cast<double>(static_cast<float>(std::sqrt(3.0)));
  EXPECT_EQ(VecNormalize(v).x, expected);
  EXPECT_NE(VecNormalize(v).x, 1.0 / std::sqrt(3.0));
  Vec3 c = VecCross(Vec3{1, 0, 0}, Vec3{0, 1, 0});
  EXPECT_EQ(c.z, 1.0);
  EXPECT_EQ(VecDot(Vec3{1, 2, 3}, Vec3{4, 5, 6}), 32.0);
  Vec3 d = VecSub(Vec3{1, 2, 3}, Vec3{4, 5, 6});
  EXPECT_EQ(d.x, -3.0);
  // FaceNormal crosses p2 - p0 with p1 - p0, in that order.
  Vec3 n = FaceNormal(Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0});
  EXPECT_EQ(n.z, -1.0);
}

}  // namespace
