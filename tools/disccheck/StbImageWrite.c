// stb_image_write from libstb-dev, for the PNG previews.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
