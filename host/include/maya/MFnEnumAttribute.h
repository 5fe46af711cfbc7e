// Function set for enumeration attributes: a 16-bit value with named fields.
#pragma once

#include <maya/MFnAttribute.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnEnumAttribute : public MFnAttribute {
  public:
    MFnEnumAttribute() {}
    explicit MFnEnumAttribute(const MObject& attribute, MStatus* status = NULL)
        : MFnAttribute(attribute, status) {}
    virtual ~MFnEnumAttribute();

    MObject create(const MString& fullName, const MString& briefName, short defaultValue = 0,
                   MStatus* status = NULL);
    MStatus addField(const MString& fieldName, short value);
    MStatus setDefault(short value);
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFnEnumAttribute)
