// The capture stage of the print-and-scan simulation: what a camera or a lifted scanner lid adds
// to a flat scan. The page (reflectance, at the scan's resolution) is laid on a desk of
// reflectance 0.3: its top edge shortened by the keystone, turned about its centre, and placed
// with the desk margin around its bounding box; each capture pixel is traced back through that
// homography and sampled bilinearly (desk outside the page). The light falls linearly from left
// to right and radially towards the corners (1 - (1 - V) r^2 / R^2, R the half-diagonal), and
// multiplies the reflectance of page and desk alike.
#pragma once

#include "core/imagens.h"
#include "impressao.h"

// The scan unchanged when every capture parameter has its neutral value.
IMGFLT captura(const IMGFLT& pagina, const PARAMSCAN& p);

// Reflectance of the desk around the page.
constexpr double REFLMESA = 0.3;
