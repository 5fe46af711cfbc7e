// Three single-precision floats: a vector or a colour.
#pragma once

#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MFloatVector {
  public:
    MFloatVector() : x(0.0f), y(0.0f), z(0.0f) {}
    MFloatVector(float xx, float yy, float zz = 0.0f) : x(xx), y(yy), z(zz) {}

    float operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    float& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

    // Dot product, summed x, y, z in single precision.
    float operator*(const MFloatVector& v) const { return x * v.x + y * v.y + z * v.z; }
    MFloatVector operator*(float s) const { return MFloatVector(x * s, y * s, z * s); }
    MFloatVector operator/(float s) const { return MFloatVector(x / s, y / s, z / s); }
    MFloatVector operator+(const MFloatVector& v) const {
        return MFloatVector(x + v.x, y + v.y, z + v.z);
    }
    MFloatVector operator-(const MFloatVector& v) const {
        return MFloatVector(x - v.x, y - v.y, z - v.z);
    }
    // Cross product.
    MFloatVector operator^(const MFloatVector& v) const {
        return MFloatVector(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
    }
    bool operator==(const MFloatVector& v) const { return x == v.x && y == v.y && z == v.z; }

    float x;
    float y;
    float z;
};

inline MFloatVector operator*(float s, const MFloatVector& v) {
    return v * s;
}

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFloatVector)
