#include <vorlane_host/host_runtime.h>

#include <vector>

#include "material_paths.h"

namespace vorlane::tools {
namespace {

using host::AttributeId;
using host::DataBlock;

struct Attributes {
    AttributeId pointCamera;
    AttributeId normalCamera;
    AttributeId lightDataArray;
    AttributeId lightDirection;
    AttributeId lightIntensity;
    AttributeId lightAmbient;
    AttributeId lightDiffuse;
    AttributeId lightSpecular;
    AttributeId outColor;
    AttributeId specOutput;
    AttributeId color;
    AttributeId specularColor;
    AttributeId specularRollOff;

    explicit Attributes(const host::NodeType& type)
        : pointCamera(type.findAttribute("pointCamera")),
          normalCamera(type.findAttribute("normalCamera")),
          lightDataArray(type.findAttribute("lightDataArray")),
          lightDirection(type.findAttribute("lightDirection")),
          lightIntensity(type.findAttribute("lightIntensity")),
          lightAmbient(type.findAttribute("lightAmbient")),
          lightDiffuse(type.findAttribute("lightDiffuse")),
          lightSpecular(type.findAttribute("lightSpecular")),
          outColor(type.findAttribute("outColor")),
          specOutput(type.findAttribute("specOutput")),
          color(type.findAttribute("color")),
          specularColor(type.findAttribute("specularColor")),
          specularRollOff(type.findAttribute("specularRollOff")) {}

    bool valid() const {
        for (AttributeId id : {pointCamera, normalCamera, lightDataArray, lightDirection,
                               lightIntensity, lightAmbient, lightDiffuse, lightSpecular, outColor,
                               specOutput, color, specularColor, specularRollOff}) {
            if (!id.valid()) {
                return false;
            }
        }
        return true;
    }
};

// The host's software renderer fills the sample geometry and one light-data
// element per light (direction toward the light, intensity with shadowing
// applied) and asks for outColor.
class NodeMaterial : public Material {
  public:
    NodeMaterial(host::Host& host, host::Node* node, const Attributes& attributes,
                 const PreviewScene& scene, std::vector<std::unique_ptr<DataBlock>> blocks)
        : host_(host), node_(node), a_(attributes), scene_(scene), blocks_(std::move(blocks)) {}

    ~NodeMaterial() override {
        blocks_.clear();
        host_.destroyNode(node_);
    }

    Rgb shade(const SurfaceSample& s, int worker) override {
        DataBlock& data = *blocks_[static_cast<std::size_t>(worker)];
        data.setTriple(a_.pointCamera, s.point.x, s.point.y, s.point.z);
        data.setTriple(a_.normalCamera, s.normal.x, s.normal.y, s.normal.z);
        const V3 lifted = s.point + s.normal * 1e-3f;
        for (std::size_t i = 0; i < scene_.lights.size(); ++i) {
            const PreviewLight& light = scene_.lights[i];
            const V3 toLight = normalized(light.center() - s.point);
            const Rgb intensity = scene_.shadowedIntensity(light, lifted);
            const auto e = static_cast<unsigned>(i);
            data.setElementTriple(a_.lightDataArray, e, a_.lightDirection, toLight.x, toLight.y,
                                  toLight.z);
            data.setElementTriple(a_.lightDataArray, e, a_.lightIntensity, intensity.r, intensity.g,
                                  intensity.b);
        }
        const host::Evaluation result = data.evaluate(a_.outColor);
        return {result.value[0], result.value[1], result.value[2]};
    }

  private:
    host::Host& host_;
    host::Node* node_;
    Attributes a_;
    const PreviewScene& scene_;
    std::vector<std::unique_ptr<DataBlock>> blocks_;
};

}  // namespace

HostNodePath::HostNodePath(const std::string& pluginPath) : host_(std::make_unique<host::Host>()) {
    if (!host_->valid()) {
        error_ = "cannot start the host";
    } else if (!host_->loadPlugin(pluginPath, &error_) && error_.empty()) {
        error_ = "cannot load the plug-in '" + pluginPath + "'";
    } else if (error_.empty() && host_->findNodeType("vorlane") == nullptr) {
        error_ = "the plug-in '" + pluginPath + "' registers no node type \"vorlane\"";
    }
}

HostNodePath::~HostNodePath() = default;

std::unique_ptr<Material> HostNodePath::material(int preset, const MaterialSettings& settings,
                                                 const PreviewScene& scene, int workers,
                                                 std::string& error) {
    const Attributes attributes(*host_->findNodeType("vorlane"));
    if (!attributes.valid()) {
        error = "the vorlane node lacks an attribute the preview needs";
        return nullptr;
    }
    host::Node* node = host_->createNode("vorlane", {}, &error);
    if (node == nullptr) {
        return nullptr;
    }
    DataBlock& data = node->data();
    const auto lights = static_cast<unsigned>(scene.lights.size());
    bool ok = data.setShort(attributes.specOutput, static_cast<short>(preset), &error) &&
              data.setElementCount(attributes.lightDataArray, lights, &error);
    if (ok && settings.color) {
        const Rgb& c = *settings.color;
        ok = data.setTriple(attributes.color, c.r, c.g, c.b, &error);
    }
    if (ok && settings.specularColor) {
        const Rgb& c = *settings.specularColor;
        ok = data.setTriple(attributes.specularColor, c.r, c.g, c.b, &error);
    }
    if (ok && settings.specularRollOff) {
        ok = data.setFloat(attributes.specularRollOff, *settings.specularRollOff, &error);
    }
    // Direct lights: diffuse and specular, no ambient part.
    for (unsigned e = 0; ok && e < lights; ++e) {
        ok = data.setElementBool(attributes.lightDataArray, e, attributes.lightAmbient, false,
                                 &error) &&
             data.setElementBool(attributes.lightDataArray, e, attributes.lightDiffuse, true,
                                 &error) &&
             data.setElementBool(attributes.lightDataArray, e, attributes.lightSpecular, true,
                                 &error);
    }
    std::vector<std::unique_ptr<DataBlock>> blocks;
    for (int w = 0; ok && w < workers; ++w) {
        blocks.push_back(node->copyDataBlock(&error));
        ok = blocks.back() != nullptr;
    }
    if (!ok) {
        blocks.clear();
        host_->destroyNode(node);
        return nullptr;
    }
    return std::make_unique<NodeMaterial>(*host_, node, attributes, scene, std::move(blocks));
}

}  // namespace vorlane::tools
