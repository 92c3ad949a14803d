// First-person world view: the cells around the viewed unit as textured OpenGL cubes, walking
// with the left mouse button (forward) or Z (backward), looking with the mouse.
#include "game/world_view.h"

#include <GL/gl.h>

#include <cmath>

#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "input/input.h"
#include "textures/textures.h"

float ViewYaw = 0.0f;
float ViewPitch = 0.0f;
int32_t LastSafeCell[3] = {1, 1, 28};
uint32_t ViewedUnit = 1;

namespace {

constexpr uint8_t SolidCode = 61;  // '=': rock
constexpr int ViewRadius = 14;
constexpr double Factor = 0.017453292516666667;
constexpr float WalkPacing = 30.0f;

bool Solid(int x, int y, int z) {
  if (x < 0 || x >= MapSide || y < 0 || y >= MapSide || z < 0 || z >= MapLevels) return false;
  return WorldGrid[WorldCellIndex(x, y, z)] == SolidCode;
}

bool SolidAt(float dx, float dy, float dz) { return CellAt(dx, dy, dz) == SolidCode; }

// The floor check: the map view cell is the walker's cell as the game loop keeps it. Standing on
// rock makes it the last safe cell; over empty space the walker returns to the last safe cell.
void CheckFloor(UnitRecord& unit) {
  if (Solid(MapViewColumn, MapViewRow, MapViewLevel + 1)) {
    LastSafeCell[0] = MapViewColumn;
    LastSafeCell[1] = MapViewRow;
    LastSafeCell[2] = MapViewLevel;
  } else {
    MapViewColumn = LastSafeCell[0];
    MapViewRow = LastSafeCell[1];
    MapViewLevel = LastSafeCell[2];
    unit.fx = unit.fy = unit.fz = 0.5f;
  }
}

void Step(UnitRecord& unit, float direction) {
  double a = (ViewYaw + 180) * Factor;
  float s = static_cast<float>(std::sin(a));
  float c = static_cast<float>(std::cos(a));
  float dx = static_cast<float>(-std::sin(ViewPitch * Factor) * (-s * 0.1));
  float dy = static_cast<float>(-std::sin(ViewPitch * Factor) * (-c * 0.1));
  unit.fx -= direction * dx;
  unit.fy -= direction * dy;
  unit.walkPhase += direction * 1.0f;
  CheckFloor(unit);
}

void CarryIntoCell(UnitRecord& unit) {
  if (unit.fx > 1) {
    unit.x -= 1;
    unit.fx -= 1;
  }
  if (unit.fy > 1) {
    unit.y += 1;
    unit.fy -= 1;
  }
  if (unit.fx < 0) {
    unit.x += 1;
    unit.fx += 1;
  }
  if (unit.fy < 0) {
    unit.y -= 1;
    unit.fy += 1;
  }
  if (unit.fz > 1) {
    unit.level -= 1;
    unit.fz -= 1;
  }
  if (unit.fz < 0) {
    unit.level += 1;
    unit.fz += 1;
  }
}

void Quad(const float corners[4][5]) {
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    glTexCoord2f(corners[k][0], corners[k][1]);
    glVertex3f(corners[k][2], corners[k][3], corners[k][4]);
  }
  glEnd();
}

}  // namespace

int CellAt(float dx, float dy, float dz) {
  const UnitRecord& player = UnitTable[1];
  double x = player.x + std::floor(static_cast<double>(dx));
  double y = player.y + std::floor(static_cast<double>(dy));
  double z = player.level + std::floor(static_cast<double>(dz));
  // Also rejects not-a-number offsets: every comparison with NaN fails.
  if (!(x >= 0 && x < MapSide && y >= 0 && y < MapSide && z >= 0 && z < MapLevels)) return 0;
  return WorldGrid[WorldCellIndex(static_cast<int>(x), static_cast<int>(y), static_cast<int>(z))];
}

int PushOutOfWalls(float a, float b, float c) {
  UnitRecord& unit = UnitTable[1];
  bool inside = !SolidAt(a, b, c);
  if (SolidAt(a - 0.3f, b, c) && inside) unit.fx -= 0.3f - a;
  if (SolidAt(a - 0.2f, b, c)) unit.fx -= 0.2f;
  if (SolidAt(a + 0.3f, b, c) && inside) unit.fx += a + 0.3f - 1;
  if (SolidAt(a + 0.2f, b, c)) unit.fx += 0.2f;
  if (SolidAt(a, b - 0.3f, c) && inside) unit.fy += 0.3f - b;
  if (SolidAt(a, b - 0.2f, c)) unit.fy += 0.2f;
  if (SolidAt(a, b + 0.3f, c) && inside) unit.fy -= b + 0.3f - 1;
  if (SolidAt(a, b + 0.2f, c)) unit.fy -= 0.2f;
  if (SolidAt(a, b, c - 0.3f) && inside) unit.fz -= 0.3f - c;
  if (SolidAt(a, b, c - 0.2f)) unit.fz -= 0.2f;
  if (SolidAt(a, b, c + 0.3f) && inside) unit.fz += c + 0.3f - 1;
  if (SolidAt(a, b, c + 0.2f)) unit.fz += 0.2f;
  if (SolidAt(a - 0.2f, b - 0.2f, c)) {
    unit.fx -= 0.2f;
    unit.fy += 0.2f;
    return 1;
  }
  if (SolidAt(a + 0.2f, b + 0.2f, c)) {
    unit.fx += 0.2f;
    unit.fy -= 0.2f;
    return 1;
  }
  if (SolidAt(a + 0.2f, b - 0.2f, c)) {
    unit.fx += 0.2f;
    unit.fy += 0.2f;
    return 1;
  }
  if (SolidAt(a - 0.2f, b + 0.2f, c)) {
    unit.fx -= 0.2f;
    unit.fy -= 0.2f;
    return 1;
  }
  return 0;
}

void DrawCell(int32_t x, int32_t y, int32_t z) {
  if (x < 1 || x > MapSide - 1 || y < 1 || y > MapSide - 1 || !Solid(x, y, z)) return;
  glScalef(0.5f, 0.5f, 0.5f);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_COLOR_MATERIAL);
  glBindTexture(GL_TEXTURE_2D, GLTextureNames[1]);
  glColor3f(1.0f, 1.0f, 1.0f);
  static const float Top[4][5] = {
      {0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, 1, 1}, {0, 0, -1, 1, 1}};
  static const float Bottom[4][5] = {
      {1, 1, -1, -1, -1}, {1, 0, -1, 1, -1}, {0, 0, 1, 1, -1}, {0, 1, 1, -1, -1}};
  static const float North[4][5] = {
      {0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}};
  static const float South[4][5] = {
      {1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1}, {1, 0, -1, -1, 1}};
  static const float East[4][5] = {
      {0, 1, 1, -1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, 1, 1}, {0, 0, 1, -1, 1}};
  static const float West[4][5] = {
      {0, 1, -1, -1, -1}, {0, 0, -1, -1, 1}, {1, 0, -1, 1, 1}, {1, 1, -1, 1, -1}};
  if (!Solid(x, y, z + 1)) {
    glNormal3f(0, 0, 1);
    Quad(Top);
  }
  glBindTexture(GL_TEXTURE_2D, GLTextureNames[1]);
  if (!Solid(x, y, z - 1)) {
    glNormal3f(0, 0, -1);
    Quad(Bottom);
  }
  if (!Solid(x, y - 1, z)) {
    glNormal3f(0, 1, 0);
    Quad(North);
  }
  if (!Solid(x, y + 1, z)) {
    glNormal3f(0, -1, 0);
    Quad(South);
  }
  if (!Solid(x + 1, y, z)) {
    glNormal3f(1, 0, 0);
    Quad(East);
  }
  if (!Solid(x - 1, y, z)) {
    glNormal3f(-1, 0, 0);
    Quad(West);
  }
}

void DrawNeighbourhood() {
  const UnitRecord& unit = UnitTable[ViewedUnit];
  glPushMatrix();
  glRotatef(ViewPitch, 1, 0, 0);
  glRotatef(180 - ViewYaw, 0, 0, 1);
  glRotatef(180, 1, 0, 0);
  glTranslatef(unit.fx - 0.5f, unit.fy - 0.5f, unit.fz - 0.5f);
  int ux = unit.x, uy = unit.y, ul = unit.level;
  for (int z = ul - ViewRadius; z <= ul + ViewRadius - 1; ++z) {
    for (int y = uy - ViewRadius; y <= uy + ViewRadius - 1; ++y) {
      for (int x = ux - ViewRadius; x <= ux + ViewRadius - 1; ++x) {
        glPushMatrix();
        glTranslatef(static_cast<float>(x - ux), static_cast<float>(uy - y),
                     static_cast<float>(z - ul));
        if (x > 0 && x < MapSide - 1 && y > 0 && y < MapSide - 1 && z > 0 && z < MapLevels - 1) {
          glPushMatrix();
          DrawCell(x, y, z);
          glPopMatrix();
        }
        glPopMatrix();
      }
    }
  }
  glPopMatrix();
}

void WorldViewStep() {
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawNeighbourhood();

  UnitRecord& unit = UnitTable[1];
  unit.previousFx = unit.fx;
  unit.previousFy = unit.fy;
  unit.previousFz = unit.fz;

  int pace = static_cast<int>(WalkPacing / 10);
  if (IsKeyDown(VkLButton) && FrameCounter % pace == 0) Step(unit, +1.0f);
  if (IsKeyDown('Z')) Step(unit, -1.0f);

  PushOutOfWalls(1 - unit.fx, unit.fy, 1 - unit.fz);
  unit.fz = static_cast<float>(std::sin(unit.walkPhase * 1.5) * 0.024 + 0.54);
  CarryIntoCell(unit);
  CompositeGLFrame();

  if (IsKeyDown(VkLButton) || IsKeyDown(VkRButton) || IsKeyDown(VkMButton)) {
    ViewYaw = static_cast<float>(-GetMouseX(WindowHandle) * 2.0 + 180 - 160);
    ViewPitch = static_cast<float>(-GetMouseY(WindowHandle));
  }
}
