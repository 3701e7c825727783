#include "map/conic_projection.h"

#include <algorithm>

namespace shirl {
namespace {

constexpr std::int64_t kOne = std::int64_t{1} << 30; // fixed point: 2^30 = 1
constexpr int kPlaneShift = 20;                        // PlanePoint: 2^20 = 1
// pi / (180 * 100000) in units of 2^-50: 1/100000 degree to 2^30 = 1 radian, times 2^20.
constexpr std::int64_t kRadiansPerUnit = 196506604;   // round(pi * 2^50 / 18000000)
constexpr std::int64_t kQuarterTurn = 1686629713;      // pi / 2, 2^30 = 1

std::int64_t Mul(std::int64_t a, std::int64_t b) { return (a * b) >> 30; }

std::int64_t Radians(std::int64_t angle) { return (angle * kRadiansPerUnit + (std::int64_t{1} << 19)) >> 20; }

// sin and cos of |x| <= pi / 2 (2^30 = 1) by their Taylor series to the
// 15th and 14th power: within 2^-29.
std::int64_t Sin(std::int64_t x) {
    x = std::clamp(x, -kQuarterTurn, kQuarterTurn);
    const std::int64_t x2 = Mul(x, x);
    std::int64_t t = kOne;
    for (std::int64_t k = 14; k >= 2; k -= 2) t = kOne - Mul(x2, t) / (k * (k + 1));
    return Mul(x, t);
}

std::int64_t Cos(std::int64_t x) {
    x = std::clamp(x, -kQuarterTurn, kQuarterTurn);
    const std::int64_t x2 = Mul(x, x);
    std::int64_t t = kOne;
    for (std::int64_t k = 13; k >= 1; k -= 2) t = kOne - Mul(x2, t) / (k * (k + 1));
    return t;
}

// The integer square root (rounded down) of v >= 0.
std::int64_t Sqrt(std::int64_t v) {
    if (v <= 0) return 0;
    std::uint64_t rest = static_cast<std::uint64_t>(v), root = 0, bit = std::uint64_t{1} << 62;
    while (bit > rest) bit >>= 2;
    while (bit != 0) {
        if (rest >= root + bit) {
            rest -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<std::int64_t>(root);
}

} // namespace

ConicParameters ConicForArea(std::int32_t west, std::int32_t east, std::int32_t south, std::int32_t north) {
    const std::int32_t sixth = (north - south) / 6;
    return ConicParameters{west + (east - west) / 2, south + sixth, north - sixth, south + (north - south) / 2};
}

ConicProjection::ConicProjection(const ConicParameters& parameters)
    : m_centralLongitude(parameters.centralLongitude) {
    const std::int64_t phi1 = Radians(parameters.parallel1), phi2 = Radians(parameters.parallel2);
    const std::int64_t sin1 = Sin(phi1), cos1 = Cos(phi1);
    // A cone flatter than this (parallels near the equator) is a cone still.
    m_n = std::max<std::int64_t>((sin1 + Sin(phi2)) / 2, kOne / 16);
    m_c = Mul(cos1, cos1) + 2 * Mul(m_n, sin1);
    m_rho0 = Rho(parameters.originLatitude);
}

std::int64_t ConicProjection::Rho(std::int32_t latitude) const {
    const std::int64_t inside = std::max<std::int64_t>(m_c - 2 * Mul(m_n, Sin(Radians(latitude))), 0);
    return (Sqrt(inside << 30) << kPlaneShift) / m_n;
}

PlanePoint ConicProjection::Project(MapPoint p) const {
    const std::int64_t rho = Rho(p.y);
    const std::int64_t theta = Mul(m_n, Radians(std::int64_t{p.x} - m_centralLongitude));
    return PlanePoint{Mul(rho, Sin(theta)), Mul(rho, Cos(theta)) - m_rho0};
}

} // namespace shirl
