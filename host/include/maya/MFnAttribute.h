// Function set for the flags common to every attribute.
#pragma once

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnAttribute {
  public:
    MFnAttribute() : attribute_(NULL) {}
    explicit MFnAttribute(const MObject& attribute, MStatus* status = NULL);
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

    bool isKeyable(MStatus* status = NULL) const;
    bool isStorable(MStatus* status = NULL) const;
    bool isReadable(MStatus* status = NULL) const;
    bool isWritable(MStatus* status = NULL) const;
    bool isHidden(MStatus* status = NULL) const;
    bool isArray(MStatus* status = NULL) const;
    bool isUsedAsColor(MStatus* status = NULL) const;
    MString name(MStatus* status = NULL) const;
    MString shortName(MStatus* status = NULL) const;

  protected:
    MHostRecord* attribute_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFnAttribute)
