// Raster kernels of TPixelGraphic: clearing, pixel access and whole-image assignment.
#include <benchmark/benchmark.h>
