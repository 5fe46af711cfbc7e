// Base class of a plug-in's dependency-graph node.
#pragma once

#include <maya/MDGContext.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MPxNodeHostAccess;

class OPENMAYA_EXPORT MPxNode {
  public:
    enum Type {
        kDependNode = 0,
        kLocatorNode,
        kDeformerNode,
        kManipContainer,
        kSurfaceShape,
        kFieldNode,
        kEmitterNode,
        kSpringNode,
        kIkSolverNode,
        kHardwareShader,
        kHwShaderNode,
        kTransformNode,
        kObjectSet,
        kLast
    };

#if MAYA_API_VERSION >= 201700
    // How the evaluation manager may schedule the node's evaluation: only a
    // node that answers kParallel runs concurrently with others. The 2016
    // names are obsolete aliases; kDefaultScheduling asks for serial.
    enum SchedulingType {
        kParallel,
        kSerial,
        kGloballySerial,
        kUntrusted,
        kSchedulingTypeLast,
        kDefaultScheduling = kSerial,
        kSerialize = kSerial,
        kGloballySerialize = kGloballySerial
    };
#elif MAYA_API_VERSION >= 201600
    // How the evaluation manager may schedule the node's evaluation: only a
    // node that answers kParallel runs concurrently with others;
    // kDefaultScheduling leaves the choice to the evaluation manager.
    enum SchedulingType {
        kParallel,
        kSerialize,
        kGloballySerialize,
        kUntrusted,
        kDefaultScheduling
    };
#endif

    MPxNode();
    // Virtual operations, in the host's order.
    virtual ~MPxNode();
    virtual void postConstructor();
    virtual MStatus compute(const MPlug& plug, MDataBlock& dataBlock);
    virtual bool getInternalValueInContext(const MPlug& plug, MDataHandle& handle,
                                           MDGContext& context);
    virtual bool setInternalValueInContext(const MPlug& plug, const MDataHandle& handle,
                                           MDGContext& context);
    virtual bool getInternalValue(const MPlug& plug, MDataHandle& handle);
    virtual bool setInternalValue(const MPlug& plug, const MDataHandle& handle);
    virtual int internalArrayCount(const MPlug& plug, const MDGContext& context) const;
    virtual void copyInternalData(MPxNode* source);
    virtual MStatus legalConnection(const MPlug& plug, const MPlug& otherPlug, bool asSrc,
                                    bool& isLegal) const;
    virtual MStatus legalDisconnection(const MPlug& plug, const MPlug& otherPlug, bool asSrc,
                                       bool& isLegal) const;
    virtual MStatus setDependentsDirty(const MPlug& plug, MPlugArray& plugArray);
    virtual MStatus connectionMade(const MPlug& plug, const MPlug& otherPlug, bool asSrc);
    virtual MStatus connectionBroken(const MPlug& plug, const MPlug& otherPlug, bool asSrc);
    virtual bool isPassiveOutput(const MPlug& plug) const;
    virtual MStatus shouldSave(const MPlug& plug, bool& isSaving);
    virtual MPlug passThroughToOne(const MPlug& plug) const;
    virtual bool passThroughToMany(const MPlug& plug, MPlugArray& plugArray) const;
    virtual Type type() const;
    virtual bool isAbstractClass() const;
#if MAYA_API_VERSION >= 201600
    // The default is serial evaluation.
    virtual SchedulingType schedulingType() const;
#endif

    MObject thisMObject() const {
        return MObject(hostRecord_);
    }

    // Adds an attribute to the node type being initialised.
    static MStatus addAttribute(const MObject& attribute);
    // Declares that a change of `whenChanges` makes `isAffected` out of date.
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

  protected:
    // Declares that compute may run on several threads at once. Virtual from
    // 2016, deprecated from 2019; the evaluation manager asks schedulingType().
#if MAYA_API_VERSION >= 20190000
    OPENMAYA_DEPRECATED(2019, "Override schedulingType() to set thread safety instead.")
    virtual void setMPSafe(bool flag);
#elif MAYA_API_VERSION >= 201600
    virtual void setMPSafe(bool flag);
#else
    void setMPSafe(bool flag);
#endif

  private:
    friend class MPxNodeHostAccess;
    MHostRecord* hostRecord_;
    bool mpSafe_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MPxNode)
