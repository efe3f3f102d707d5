// The peer decoder: stb_image from libstb-dev, TGA support only.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>
