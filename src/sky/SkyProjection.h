#pragma once

#include "sky/SkyTypes.h"
#include "time/AstCoord.h"

namespace noctavo {

// The size of the map display and the constants of the projection, set
// whenever the Sky window is laid out. The scale puts the display's left
// and right edges 30 degrees from its centre.
struct DisplayGeometry {
  int height = 0;      // H, pixels
  int width = 0;       // W = trunc(H * pixel aspect), pixels
  int centreX = 0;     // cx = W / 2 (integer division)
  int centreY = 0;     // cy = H / 2 (integer division)
  double scale = 0.0;  // s = cx / tan(30 degrees), pixels per unit of tangent
  friend bool operator==(const DisplayGeometry&, const DisplayGeometry&) = default;
};

// The geometry of a display of this height; pixelAspect is the height of a
// screen pixel divided by its width. A negative height (a window laid out
// smaller than its margins) counts as 0.
DisplayGeometry makeDisplayGeometry(int height, double pixelAspect);

struct Cartesian {
  double x;
  double y;
  double z;
};

struct Spherical {
  double lambda;  // radians, [0, 2 pi]
  double beta;    // radians, [-pi/2, pi/2]
};

// (cos lambda cos beta, sin lambda cos beta, sin beta), angles in radians.
Cartesian sphericalToCartesian(double lambda, double beta);
// The inverse, radians. The first angle comes from the arc tangent of y / x
// put into its quadrant with the program's rounded turn, so that the map
// reproduces the program's published pictures pixel for pixel.
Spherical cartesianToSpherical(double x, double y, double z);

// The horizontal screen coordinate of the projection, for an angle a in
// radians measured from the centre of view: tan a near the centre, folded
// outside so that the result has the sign of sin a and grows without bound
// towards 90 and 270 degrees (a point beside or behind the viewer lands
// far off the display on its own side instead of wrapping onto it).
double foldedTangent(double a);

// Steps 4 and 5 of the projection: the screen tangents of a direction
// (L, B) in degrees in the frame of the view (L in [0, 360), measured to the
// left of the centre). Exactly 90 and 270 (and -90 for B) give 1000, every
// other value the folded tangent of L or the tangent of B, held within
// +-1000, so that a point far outside the field stays a finite pixel.
double screenTangentX(double l);
double screenTangentY(double b);

// A position on the display. visible is false for everything outside the
// +-30 degree field; x and y are then still given (limited to 1000 times
// the scale from the centre) so that a line from a visible point towards
// it can be drawn.
struct ProjectedPoint {
  int x = 0;
  int y = 0;
  bool visible = false;
  friend bool operator==(ProjectedPoint, ProjectedPoint) = default;
};

// Where a position (degrees, in the map's system: azimuth and altitude, or
// mirrored right ascension and declination) stands on the display for the
// direction of view. The centre of view is the display's centre; smaller
// first angles lie to the left. An invalid position is never visible.
ProjectedPoint projectToScreen(double viewLambda, double viewPhi, const DisplayGeometry& geometry,
                               const AstCoord& position);

// The position (degrees, first angle in [0, 360)) under a pixel of the
// display, in the given system; the inverse of projectToScreen inside the
// field of view.
AstCoord screenToSky(double viewLambda, double viewPhi, const DisplayGeometry& geometry, int x, int y,
                     CoordSystem system = CoordSystem::Horizontal);

// The altitude steps of the up and down arrows: the step a view altitude
// (degrees) belongs to, and the view altitude of a step. The Realistic map
// looks at ..., -75, -30, 30, 75, so that at 30 the horizon runs along the
// lower edge. A map type outside the enumeration is an internal error and
// gives step 0 and altitude 0.
int altitudeStepIndex(MapType mapType, double phi);
double altitudeForStep(MapType mapType, int step);

}  // namespace noctavo
