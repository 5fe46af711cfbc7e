// Function set for numeric attributes: single values, float triples, pointers.
#pragma once

#include <maya/MFnAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnNumericAttribute : public MFnAttribute {
  public:
    MFnNumericAttribute() {}
    explicit MFnNumericAttribute(const MObject& attribute, MStatus* status = NULL)
        : MFnAttribute(attribute, status) {}
    // Out of line, as in the host's library: the vtable lives there, not in
    // every plug-in that uses the function set.
    virtual ~MFnNumericAttribute();

    // A single value (kFloat or kBoolean) with its initial default.
    MObject create(const MString& fullName, const MString& briefName, MFnNumericData::Type type,
                   double defaultValue = 0.0, MStatus* status = NULL);
    // A compound of float children created before it. This host builds
    // compounds of three (kNotImplemented without `child3`).
    MObject create(const MString& fullName, const MString& briefName, const MObject& child1,
                   const MObject& child2, const MObject& child3 = MObject::kNullObj,
                   MStatus* status = NULL);
    // An opaque pointer-sized value.
    MObject createAddr(const MString& fullName, const MString& briefName, void* defaultValue = NULL,
                       MStatus* status = NULL);

    MStatus setDefault(float value);
    MStatus setDefault(float value1, float value2, float value3);
    MStatus setDefault(bool value);
    MStatus setSoftMin(double value);
    MStatus setSoftMax(double value);
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFnNumericAttribute)
