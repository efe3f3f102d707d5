// The reference zoom: simple loops, every scratch buffer a vector, bounds-checked list writes.
#include "ZoomReference.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace reference {
namespace {

using Filter = double (*)(double);

double Sinc(double x)
{
    const double y = 3.141592653589793 * x;
    if (y != 0.0)
        return std::sin(y) / y;
    return 1.0;
}

double Hermite(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return (2.0 * t - 3.0) * t * t + 1.0;
    return 0.0;
}

double Box(double x)
{
    if (x > -0.5 && x <= 0.5)
        return 1.0;
    return 0.0;
}

double Triangle(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return 1.0 - t;
    return 0.0;
}

double BSpline(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return 0.5 * t * t * t - t * t + 0.6666666666666666;
    if (t < 2.0)
        return (2.0 - t) * (2.0 - t) * (2.0 - t) * 0.16666666666666666;
    return 0.0;
}

double Lanczos3(double x)
{
    const double t = std::fabs(x);
    if (t < 3.0)
        return Sinc(t) * Sinc(t / 3.0);
    return 0.0;
}

double Mitchell(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return (7.0 * t * t * t - 12.0 * t * t + 5.333333333333333) / 6.0;
    if (t < 2.0)
        return (-2.3333333333333335 * t * t * t + 12.0 * t * t - 20.0 * t + 10.666666666666666) /
               6.0;
    return 0.0;
}

struct Tap {
    int index;
    double weight;
};

struct TapList {
    int count;
    std::size_t first; // position of the list's first tap in the block
};

int Reflect(int j, int n)
{
    if (j < 0)
        j = -j;
    else if (j >= n)
        j = 2 * n - 1 - j;
    if (j < 0)
        j = 0;
    if (j > n - 1)
        j = n - 1;
    return j;
}

// The lists of one axis. Each list has room for capacity + 2 taps: a window whose two ends round
// outward holds more than the capacity; anything beyond that throws.
void BuildLists(int n, int m, Filter filter, double support, std::vector<TapList>& lists,
                std::vector<Tap>& block)
{
    const double scale = static_cast<double>(m) / static_cast<double>(n);
    double reach = support;
    double stretch = 1.0;
    if (scale < 1.0) {
        reach = support / scale;
        stretch = 1.0 / scale;
    }
    const int capacity = static_cast<int>(2.0 * reach + 1.0);
    const int room = capacity + 2;
    lists.assign(m, TapList{0, 0});
    block.assign(static_cast<std::size_t>(room) * m, Tap{0, 0.0});
    for (int i = 0; i < m; i++) {
        TapList& list = lists[i];
        list.first = static_cast<std::size_t>(i) * room;
        double centre = i / scale;
        if (scale < 1.0)
            centre = i / scale + stretch / 2.0 - 0.5;
        const int left = static_cast<int>(std::ceil(centre - reach));
        const int right = static_cast<int>(std::floor(centre + reach));
        double total = 0.0;
        for (int j = left; j <= right; j++) {
            double weight = filter(centre - j);
            if (scale < 1.0)
                weight = filter((centre - j) / stretch) / stretch;
            if (list.count >= room)
                throw std::out_of_range("more taps than a list has room for");
            block[list.first + list.count] = Tap{Reflect(j, n), weight};
            list.count++;
            total += weight;
        }
        if (scale < 1.0) {
            for (int k = 0; k < list.count; k++)
                block[list.first + k].weight /= total;
        }
    }
}

std::uint8_t TapSum(const TapList& list, const std::vector<Tap>& block,
                    const std::vector<std::uint8_t>& line)
{
    double acc = 0.0;
    for (int k = 0; k < list.count; k++) {
        const Tap& tap = block[list.first + k];
        acc += line.at(tap.index) * tap.weight;
    }
    double v = acc + 0.5;
    if (v < 0.0)
        v = 0.0;
    else if (v > 255.0)
        v = 255.0;
    return static_cast<std::uint8_t>(v);
}

// One packed plane of srcWidth x srcHeight into one of dstWidth x dstHeight.
void ZoomPlane(const std::vector<std::uint8_t>& src, int srcWidth, int srcHeight,
               std::vector<std::uint8_t>& dst, int dstWidth, int dstHeight, Filter filter,
               double support)
{
    std::vector<std::uint8_t> tmp(static_cast<std::size_t>(dstWidth) * srcHeight, 0);
    std::vector<TapList> lists;
    std::vector<Tap> block;

    BuildLists(srcWidth, dstWidth, filter, support, lists, block);
    std::vector<std::uint8_t> line(srcWidth);
    for (int r = 0; r < srcHeight; r++) {
        for (int x = 0; x < srcWidth; x++)
            line[x] = src.at(static_cast<std::size_t>(r) * srcWidth + x);
        for (int i = 0; i < dstWidth; i++)
            tmp.at(static_cast<std::size_t>(r) * dstWidth + i) = TapSum(lists[i], block, line);
    }

    BuildLists(srcHeight, dstHeight, filter, support, lists, block);
    std::vector<std::uint8_t> column(srcHeight);
    for (int k = 0; k < dstWidth; k++) {
        for (int r = 0; r < srcHeight; r++)
            column[r] = tmp.at(static_cast<std::size_t>(r) * dstWidth + k);
        for (int i = 0; i < dstHeight; i++)
            dst.at(static_cast<std::size_t>(i) * dstWidth + k) = TapSum(lists[i], block, column);
    }
}

void ZoomChannels(const std::uint8_t* src, int srcWidth, int srcHeight, std::uint8_t* dst,
                  int dstWidth, int dstHeight, int channels, Filter filter, double support)
{
    const std::size_t srcCount = static_cast<std::size_t>(srcWidth) * srcHeight;
    const std::size_t dstCount = static_cast<std::size_t>(dstWidth) * dstHeight;
    std::vector<std::uint8_t> srcPlane(srcCount);
    std::vector<std::uint8_t> dstPlane(dstCount);
    for (int c = 0; c < channels; c++) {
        for (std::size_t k = 0; k < srcCount; k++)
            srcPlane[k] = src[c + k * channels];
        ZoomPlane(srcPlane, srcWidth, srcHeight, dstPlane, dstWidth, dstHeight, filter, support);
        for (std::size_t k = 0; k < dstCount; k++)
            dst[c + k * channels] = dstPlane[k];
    }
}

void ZoomNearest(const std::uint8_t* src, int srcWidth, int srcHeight, std::uint8_t* dst,
                 int dstWidth, int dstHeight, int channels)
{
    const double xRatio = static_cast<double>(srcWidth) / dstWidth;
    const double yRatio = static_cast<double>(srcHeight) / dstHeight;
    std::vector<int> row(dstHeight);
    std::vector<int> col(dstWidth);
    for (int y = 0; y < dstHeight; y++)
        row[y] = static_cast<int>(y * yRatio);
    for (int x = 0; x < dstWidth; x++)
        col[x] = static_cast<int>(x * xRatio);
    std::size_t next = 0;
    for (int y = 0; y < dstHeight; y++) {
        for (int x = 0; x < dstWidth; x++) {
            for (int c = 0; c < channels; c++) {
                const std::size_t pixel = static_cast<std::size_t>(row[y]) * srcWidth + col[x];
                dst[next++] = src[pixel * channels + c];
            }
        }
    }
}

} // namespace

void ZoomSamples(const std::uint8_t* src, int srcWidth, int srcHeight, std::uint8_t* dst,
                 int dstWidth, int dstHeight, int channels, std::uint32_t selector)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || channels <= 0)
        return;
    switch (selector) {
    case 1:
        return;
    case 2:
        ZoomNearest(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels);
        return;
    case 4:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, Box, 0.5);
        return;
    case 8:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, Triangle, 1.0);
        return;
    case 16:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, BSpline, 2.0);
        return;
    case 32:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, Lanczos3, 3.0);
        return;
    case 64:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, Mitchell, 2.0);
        return;
    default:
        ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, Hermite, 1.0);
        return;
    }
}

} // namespace reference
