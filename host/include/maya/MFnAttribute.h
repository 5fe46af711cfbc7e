// Function set for the flags common to every attribute.
#pragma once

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MFnAttribute {
  public:
    MFnAttribute() = default;
    explicit MFnAttribute(const MObject& attribute, MStatus* status = nullptr);
    virtual ~MFnAttribute();

    MStatus setObject(const MObject& attribute);
    MObject object() const { return MObject(attribute_); }

    MStatus setKeyable(bool state);
    MStatus setStorable(bool state);
    MStatus setReadable(bool state);
    MStatus setWritable(bool state);
    MStatus setHidden(bool state);
    MStatus setArray(bool state);
    MStatus setUsedAsColor(bool state);

    bool isKeyable(MStatus* status = nullptr) const;
    bool isStorable(MStatus* status = nullptr) const;
    bool isReadable(MStatus* status = nullptr) const;
    bool isWritable(MStatus* status = nullptr) const;
    bool isHidden(MStatus* status = nullptr) const;
    bool isArray(MStatus* status = nullptr) const;
    bool isUsedAsColor(MStatus* status = nullptr) const;
    MString name(MStatus* status = nullptr) const;
    MString shortName(MStatus* status = nullptr) const;

  protected:
    void* attribute_ = nullptr;
};
