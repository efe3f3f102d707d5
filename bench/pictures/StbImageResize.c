// The peer resizer: stb_image_resize from libstb-dev.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>
