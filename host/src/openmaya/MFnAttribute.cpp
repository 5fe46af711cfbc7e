// Attribute function sets: creation and flags, recorded on the host's
// attribute records of the node type being initialised.
#include <maya/MFnAttribute.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnLightDataAttribute.h>
#include <maya/MFnNumericAttribute.h>

#include "../core/host_state.h"

using vorlane::host::AttributeCall;
using vorlane::host::AttributeKind;
using vorlane::host::EnumField;
using vorlane::host::LightDataDefault;
using vorlane::host::core::AttributeDef;
using vorlane::host::core::attributeFrom;
using vorlane::host::core::HostState;
using vorlane::host::core::objectOf;

namespace {

void report(MStatus* status, MStatus::MStatusCode code) {
    if (status != nullptr) {
        *status = code;
    }
}

// The attribute a function set may still change: one of the node type being
// initialised. Applies an injected failure for `call`.
MStatus::MStatusCode changeable(void* attribute, AttributeCall call) {
    HostState* host = HostState::current();
    auto* def = static_cast<AttributeDef*>(attribute);
    if (host == nullptr || def == nullptr) {
        return MStatus::kInvalidParameter;
    }
    if (def->owner != host->initializing()) {
        return MStatus::kFailure;  // its node type is complete: it can no longer change
    }
    return host->injected(call, def->info.longName);
}

// A new attribute record in the node type being initialised, or nullptr.
AttributeDef* newAttribute(const MString& longName, const MString& shortName, AttributeKind kind,
                           MStatus* status) {
    HostState* host = HostState::current();
    if (host == nullptr || host->initializing() == nullptr) {
        report(status, MStatus::kFailure);
        return nullptr;
    }
    if (longName.length() == 0 || shortName.length() == 0) {
        report(status, MStatus::kInvalidParameter);
        return nullptr;
    }
    const MStatus::MStatusCode injected = host->injected(AttributeCall::Create, longName.asChar());
    if (injected != MStatus::kSuccess) {
        report(status, injected);
        return nullptr;
    }
    report(status, MStatus::kSuccess);
    return host->initializing()->createAttribute(longName.asChar(), shortName.asChar(), kind);
}

// A float child that may join a compound.
bool freeChild(const MObject& object, AttributeKind kind) {
    const AttributeDef* def = attributeFrom(object);
    HostState* host = HostState::current();
    return def != nullptr && host != nullptr && def->owner == host->initializing() &&
           def->parent == nullptr && def->info.kind == kind;
}

void adopt(AttributeDef* parent, const MObject& child) {
    AttributeDef* def = attributeFrom(child);
    def->parent = parent;
    parent->children.push_back(def);
}

}  // namespace

// --- MFnAttribute -----------------------------------------------------------

MFnAttribute::MFnAttribute(const MObject& attribute, MStatus* status) : attribute_(nullptr) {
    report(status, setObject(attribute).statusCode());
}

MFnAttribute::~MFnAttribute() = default;
MFnNumericAttribute::~MFnNumericAttribute() = default;
MFnEnumAttribute::~MFnEnumAttribute() = default;
MFnLightDataAttribute::~MFnLightDataAttribute() = default;

MStatus MFnAttribute::setObject(const MObject& attribute) {
    attribute_ = attributeFrom(attribute);
    return attribute_ != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

#define VORLANE_FLAG_SETTER(Setter, Call, field)                        \
    MStatus MFnAttribute::Setter(bool state) {                          \
        const MStatus::MStatusCode code = changeable(attribute_, Call); \
        if (code != MStatus::kSuccess) {                                \
            return code;                                                \
        }                                                               \
        static_cast<AttributeDef*>(attribute_)->info.field = state;     \
        return MStatus::kSuccess;                                       \
    }

VORLANE_FLAG_SETTER(setKeyable, AttributeCall::SetKeyable, keyable)
VORLANE_FLAG_SETTER(setStorable, AttributeCall::SetStorable, storable)
VORLANE_FLAG_SETTER(setReadable, AttributeCall::SetReadable, readable)
VORLANE_FLAG_SETTER(setWritable, AttributeCall::SetWritable, writable)
VORLANE_FLAG_SETTER(setHidden, AttributeCall::SetHidden, hidden)
VORLANE_FLAG_SETTER(setArray, AttributeCall::SetArray, array)
VORLANE_FLAG_SETTER(setUsedAsColor, AttributeCall::SetUsedAsColor, usedAsColor)
#undef VORLANE_FLAG_SETTER

#define VORLANE_FLAG_GETTER(Getter, field)                                               \
    bool MFnAttribute::Getter(MStatus* status) const {                                   \
        const auto* def = static_cast<const AttributeDef*>(attribute_);                  \
        report(status, def != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter); \
        return def != nullptr && def->info.field;                                        \
    }

VORLANE_FLAG_GETTER(isKeyable, keyable)
VORLANE_FLAG_GETTER(isStorable, storable)
VORLANE_FLAG_GETTER(isReadable, readable)
VORLANE_FLAG_GETTER(isWritable, writable)
VORLANE_FLAG_GETTER(isHidden, hidden)
VORLANE_FLAG_GETTER(isArray, array)
VORLANE_FLAG_GETTER(isUsedAsColor, usedAsColor)
#undef VORLANE_FLAG_GETTER

MString MFnAttribute::name(MStatus* status) const {
    const auto* def = static_cast<const AttributeDef*>(attribute_);
    report(status, def != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return def != nullptr ? MString(def->info.longName.c_str()) : MString();
}

MString MFnAttribute::shortName(MStatus* status) const {
    const auto* def = static_cast<const AttributeDef*>(attribute_);
    report(status, def != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return def != nullptr ? MString(def->info.shortName.c_str()) : MString();
}

// --- MFnNumericAttribute ----------------------------------------------------

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    MFnNumericData::Type type, double defaultValue,
                                    MStatus* status) {
    attribute_ = nullptr;
    AttributeKind kind;
    if (type == MFnNumericData::kFloat) {
        kind = AttributeKind::Float;
    } else if (type == MFnNumericData::kBoolean) {
        kind = AttributeKind::Boolean;
    } else {
        report(status, MStatus::kNotImplemented);
        return MObject::kNullObj;
    }
    AttributeDef* def = newAttribute(fullName, briefName, kind, status);
    if (def == nullptr) {
        return MObject::kNullObj;
    }
    def->info.defaultFloat[0] = static_cast<float>(defaultValue);
    def->info.defaultBool = defaultValue != 0.0;
    attribute_ = def;
    return objectOf(def);
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    const MObject& child1, const MObject& child2,
                                    const MObject& child3, MStatus* status) {
    attribute_ = nullptr;
    if (child3.isNull()) {
        report(status, MStatus::kNotImplemented);
        return MObject::kNullObj;
    }
    if (!freeChild(child1, AttributeKind::Float) || !freeChild(child2, AttributeKind::Float) ||
        !freeChild(child3, AttributeKind::Float) || child1 == child2 || child2 == child3 ||
        child1 == child3) {
        report(status, MStatus::kInvalidParameter);
        return MObject::kNullObj;
    }
    AttributeDef* def = newAttribute(fullName, briefName, AttributeKind::FloatTriple, status);
    if (def == nullptr) {
        return MObject::kNullObj;
    }
    for (const MObject* child : {&child1, &child2, &child3}) {
        adopt(def, *child);
        def->info.defaultFloat[def->children.size() - 1] =
            def->children.back()->info.defaultFloat[0];
    }
    attribute_ = def;
    return objectOf(def);
}

MObject MFnNumericAttribute::createAddr(const MString& fullName, const MString& briefName,
                                        void* defaultValue, MStatus* status) {
    attribute_ = nullptr;
    AttributeDef* def = newAttribute(fullName, briefName, AttributeKind::Pointer, status);
    if (def == nullptr) {
        return MObject::kNullObj;
    }
    def->info.defaultPointer = defaultValue;
    attribute_ = def;
    return objectOf(def);
}

MStatus MFnNumericAttribute::setDefault(float value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetDefault);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::Float) {
        return MStatus::kInvalidParameter;
    }
    def->info.defaultFloat[0] = value;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setDefault(float value1, float value2, float value3) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetDefault);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::FloatTriple || def->children.size() != 3) {
        return MStatus::kInvalidParameter;
    }
    const float values[3] = {value1, value2, value3};
    for (std::size_t i = 0; i < 3; ++i) {
        def->info.defaultFloat[i] = values[i];
        def->children[i]->info.defaultFloat[0] = values[i];
    }
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setDefault(bool value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetDefault);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::Boolean) {
        return MStatus::kInvalidParameter;
    }
    def->info.defaultBool = value;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setSoftMin(double value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetSoftMin);
    if (code != MStatus::kSuccess) {
        return code;
    }
    static_cast<AttributeDef*>(attribute_)->info.softMin = value;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setSoftMax(double value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetSoftMax);
    if (code != MStatus::kSuccess) {
        return code;
    }
    static_cast<AttributeDef*>(attribute_)->info.softMax = value;
    return MStatus::kSuccess;
}

// --- MFnEnumAttribute -------------------------------------------------------

MObject MFnEnumAttribute::create(const MString& fullName, const MString& briefName,
                                 short defaultValue, MStatus* status) {
    attribute_ = nullptr;
    AttributeDef* def = newAttribute(fullName, briefName, AttributeKind::Enum, status);
    if (def == nullptr) {
        return MObject::kNullObj;
    }
    def->info.defaultShort = defaultValue;
    attribute_ = def;
    return objectOf(def);
}

MStatus MFnEnumAttribute::addField(const MString& fieldName, short value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::AddField);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::Enum || fieldName.length() == 0) {
        return MStatus::kInvalidParameter;
    }
    for (const EnumField& field : def->info.enumFields) {
        if (field.name == fieldName.asChar() || field.value == value) {
            return MStatus::kInvalidParameter;
        }
    }
    def->info.enumFields.push_back(EnumField{fieldName.asChar(), value});
    return MStatus::kSuccess;
}

MStatus MFnEnumAttribute::setDefault(short value) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetDefault);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::Enum) {
        return MStatus::kInvalidParameter;
    }
    def->info.defaultShort = value;
    return MStatus::kSuccess;
}

// --- MFnLightDataAttribute --------------------------------------------------

MObject MFnLightDataAttribute::create(const MString& fullName, const MString& briefName,
                                      const MObject& direction, const MObject& intensity,
                                      const MObject& ambient, const MObject& diffuse,
                                      const MObject& specular, const MObject& shadowFraction,
                                      const MObject& preShadowIntensity, const MObject& blindData,
                                      MStatus* status) {
    attribute_ = nullptr;
    const bool membersFit = freeChild(direction, AttributeKind::FloatTriple) &&
                            freeChild(intensity, AttributeKind::FloatTriple) &&
                            freeChild(ambient, AttributeKind::Boolean) &&
                            freeChild(diffuse, AttributeKind::Boolean) &&
                            freeChild(specular, AttributeKind::Boolean) &&
                            freeChild(shadowFraction, AttributeKind::Float) &&
                            freeChild(preShadowIntensity, AttributeKind::Float) &&
                            freeChild(blindData, AttributeKind::Pointer) &&
                            direction != intensity && ambient != diffuse && ambient != specular &&
                            diffuse != specular && shadowFraction != preShadowIntensity;
    if (!membersFit) {
        report(status, MStatus::kInvalidParameter);
        return MObject::kNullObj;
    }
    AttributeDef* def = newAttribute(fullName, briefName, AttributeKind::LightData, status);
    if (def == nullptr) {
        return MObject::kNullObj;
    }
    for (const MObject* member : {&direction, &intensity, &ambient, &diffuse, &specular,
                                  &shadowFraction, &preShadowIntensity, &blindData}) {
        adopt(def, *member);
    }
    attribute_ = def;
    return objectOf(def);
}

MStatus MFnLightDataAttribute::setDefault(float directionX, float directionY, float directionZ,
                                          float intensityR, float intensityG, float intensityB,
                                          bool ambient, bool diffuse, bool specular,
                                          float shadowFraction, float preShadowIntensity,
                                          void* blindData) {
    const MStatus::MStatusCode code = changeable(attribute_, AttributeCall::SetDefault);
    if (code != MStatus::kSuccess) {
        return code;
    }
    auto* def = static_cast<AttributeDef*>(attribute_);
    if (def->info.kind != AttributeKind::LightData) {
        return MStatus::kInvalidParameter;
    }
    LightDataDefault element;
    element.direction[0] = directionX;
    element.direction[1] = directionY;
    element.direction[2] = directionZ;
    element.intensity[0] = intensityR;
    element.intensity[1] = intensityG;
    element.intensity[2] = intensityB;
    element.ambient = ambient;
    element.diffuse = diffuse;
    element.specular = specular;
    element.shadowFraction = shadowFraction;
    element.preShadowIntensity = preShadowIntensity;
    element.blindData = blindData;
    def->info.elementDefault = element;
    return MStatus::kSuccess;
}
