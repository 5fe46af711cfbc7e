// The null handle, shared by the host and every plug-in.
#include <maya/MObject.h>

MObject MObject::kNullObj;
