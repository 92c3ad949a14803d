// Face set-up and edge walking: corner registers, edge lists, face fills and outlines.
#include "engine/engine.h"

FaceCorner CornerA, CornerB, CornerC, CornerD;
EdgeList LeftEdge, RightEdge;

void SetCornerA(double, double, double, double, double) {}
void SetCornerB(double, double, double, double, double) {}
void SetCornerC(double, double, double, double, double) {}
void SetCornerD(double, double, double, double, double) {}
void FillQuadFace(uint32_t) {}
void FillTriangleFace(uint32_t, float) {}
void WalkLeftEdgeFine() {}
void WalkRightEdgeFine() {}
void WalkLeftEdgeCoarse() {}
void WalkRightEdgeCoarse() {}
void DrawDepthLine(double, double, double, double, double, double, uint32_t) {}
