#include <charconv>
#include <sstream>

#include "host_state.h"
#include "records.h"

namespace vorlane::host::core {
namespace {

std::string number(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, written.ptr);
}

}  // namespace

NodeRecord::NodeRecord(NodeTypeRecord& type, std::string name, MPxNode* instance)
    : MHostRecord(kNodeRecord),
      type_(type),
      name_(std::move(name)),
      instance_(instance),
      connected_(static_cast<std::size_t>(type.attributeCount()), 0) {
    block_ = std::make_unique<BlockRecord>(*this, true);
}

NodeRecord::~NodeRecord() {
    // The host owns the node and deletes it through its virtual destructor.
    delete instance_;
}

// The host evaluates a node on several threads only when the node allows it:
// in API 850 when its postConstructor called setMPSafe(true); from 2016 only
// when its schedulingType() answers kParallel, whatever setMPSafe said. Every
// other answer is evaluated serially: kDefaultScheduling leaves the choice to
// the host in 2016, and this host chooses serial.
bool NodeRecord::isMPSafe() const {
#if MAYA_API_VERSION >= 201600
    return instance_->schedulingType() == MPxNode::kParallel;
#else
    return MPxNodeHostAccess::mpSafe(*instance_);
#endif
}

std::unique_ptr<DataBlock> NodeRecord::copyDataBlock(std::string* error) const {
    if (!isMPSafe()) {
        if (error != nullptr) {
            *error = "node \"" + name_ + "\" is not safe for parallel evaluation";
        }
        return nullptr;
    }
    return std::make_unique<BlockRecord>(*block_, false);
}

std::string NodeRecord::saveAsText() const {
    std::ostringstream out;
    out << "createNode " << type_.name() << " -n \"" << name_ << "\";\n";
    for (AttributeId id : type_.addedAttributes()) {
        const AttributeDef* def = type_.def(id.index);
        const AttributeInfo& info = def->info;
        // Computed outputs and array members are not restored from a file.
        const bool topLevel = def->parent == nullptr || !type_.owns(def->parentDef());
        if (!topLevel || !info.storable || !info.writable || def->arraySlot >= 0) {
            continue;
        }
        const Evaluation v = block_->value(id);
        switch (info.kind) {
            case AttributeKind::Float:
                out << "\tsetAttr \"." << info.shortName << "\" " << number(v.value[0]) << ";\n";
                break;
            case AttributeKind::FloatTriple:
                out << "\tsetAttr \"." << info.shortName << "\" -type \"float3\" "
                    << number(v.value[0]) << ' ' << number(v.value[1]) << ' ' << number(v.value[2])
                    << ";\n";
                break;
            case AttributeKind::Boolean:
                out << "\tsetAttr \"." << info.shortName << "\" "
                    << (v.value[0] != 0.0f ? "yes" : "no") << ";\n";
                break;
            case AttributeKind::Enum:
                out << "\tsetAttr \"." << info.shortName << "\" " << static_cast<int>(v.value[0])
                    << ";\n";
                break;
            default:
                break;  // pointers have no text form
        }
    }
    return out.str();
}

}  // namespace vorlane::host::core
