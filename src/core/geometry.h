#pragma once
// The two collision tests between rotated shapes. Corners are taken in the order the caller gives
// them; the game's corner tables list a rectangle crosswise, (left, top), (right, top),
// (left, bottom), (right, bottom), and the tests are used with exactly that order.

struct TPointD {
    double x = 0;
    double y = 0;
};

// Inside when the angles seen from p between consecutive corners add up to 355 degrees or more.
bool PointInQuad(TPointD p, TPointD q1, TPointD q2, TPointD q3, TPointD q4);
// Any corner of b inside a, or any corner of a inside b.
bool QuadsOverlap(const TPointD a[4], const TPointD b[4]);
