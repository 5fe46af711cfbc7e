#include "shading_fixture.h"

namespace vorlane::test {
namespace {

using ParameterTest = ShadingFixture;

// Values that differ from every value the fixture stores in place.
renderer::VorlaneParameters connectedValues() {
    renderer::VorlaneParameters p{};
    p.color = {0.7f, 0.2f, 0.4f, 1.0f};
    p.ambientColor = {0.3f, 0.1f, 0.6f, 1.0f};
    p.incandescence = {0.05f, 0.0f, 0.125f, 1.0f};
    p.normalCamera = {0.1f, 0.3f, 0.0f};
    p.diffuse = 0.6f;
    p.specularRollOff = 2.5f;
    p.specOutput = 5;
    p.specularColor = {0.9f, 0.8f, 0.7f, 1.0f};
    p.indirect = miTRUE;
    p.indirectColor = {0.5f, 1.0f, 2.0f, 1.0f};
    p.i_lights = 1;
    p.n_lights = 2;
    return p;
}

TEST_F(ParameterTest, EveryParameterIsReadThroughItsConnectionInOrder) {
    scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
    // In place: one dark light. Through the connection: three scripted lights,
    // of which i_lights 1 and n_lights 2 select the last two.
    const miTag dark = scene_.addDarkLight();
    ASSERT_TRUE(block_.setLights({dark}));
    const std::vector<miTag> connectedLights = {scene_.addScriptedLight(script({kBehind})),
                                                scene_.addScriptedLight(script({kFront})),
                                                scene_.addScriptedLight(script({kFrontTinted}))};
    const renderer::VorlaneParameters v = connectedValues();
    struct Link {
        VorlaneParameter parameter;
        renderer::ConnectionId id;
    };
    const std::vector<Link> readOrder = {
        {VorlaneParameter::specOutput, scene_.connect(v.specOutput)},
        {VorlaneParameter::color, scene_.connect(v.color)},
        {VorlaneParameter::ambientColor, scene_.connect(v.ambientColor)},
        {VorlaneParameter::incandescence, scene_.connect(v.incandescence)},
        {VorlaneParameter::specularColor, scene_.connect(v.specularColor)},
        {VorlaneParameter::diffuse, scene_.connect(v.diffuse)},
        {VorlaneParameter::specularRollOff, scene_.connect(v.specularRollOff)},
        {VorlaneParameter::normalCamera, scene_.connect(v.normalCamera)},
        {VorlaneParameter::indirect, scene_.connect(v.indirect)},
        {VorlaneParameter::n_lights, scene_.connect(v.n_lights)},
        {VorlaneParameter::i_lights, scene_.connect(v.i_lights)},
        {VorlaneParameter::lights, scene_.connectTags(connectedLights)},
        {VorlaneParameter::indirectColor, scene_.connect(v.indirectColor)},
    };
    std::vector<renderer::ConnectionId> expectedLog;
    for (const Link& link : readOrder) {
        block_.connect(link.parameter, link.id);
        expectedLog.push_back(link.id);
    }

    const miColor result = shade(kStart);
    EXPECT_EQ(scene_.evaluationLog(), expectedLog);
    EXPECT_EQ(scene_.calls().phenEval, readOrder.size());
    EXPECT_EQ(scene_.sampleCalls(dark), 0u);
    EXPECT_EQ(scene_.sampleCalls(connectedLights[0]), 0u);
    EXPECT_EQ(scene_.sampleCalls(connectedLights[1]), 2u);
    const ReferenceInputs expected{v,
                                   standardPoint().normal,
                                   standardPoint().dir,
                                   {{kFront}, {kFrontTinted}},
                                   {0.6f, 0.8f, 1.5f, 1.0f}};
    EXPECT_COLOR_EQ(result, referenceShade(expected, kStart));
}

TEST_F(ParameterTest, IndirectColorIsNotReadWhileIndirectIsOff) {
    useLights({{kFront}});
    const renderer::ConnectionId indirectColor = scene_.connect(miColor{1.0f, 1.0f, 1.0f, 1.0f});
    block_.connect(VorlaneParameter::indirectColor, indirectColor);
    block_.connect(VorlaneParameter::indirect, scene_.connect(miBoolean{miFALSE}));
    shade(kStart);
    EXPECT_EQ(scene_.calls().phenEval, 1u);
    EXPECT_EQ(scene_.calls().computeIrradiance, 0u);
    EXPECT_EQ(scene_.evaluationLog().size(), 1u);
}

TEST_F(ParameterTest, UnconnectedParametersAreReadInPlace) {
    useLights({{kFront}});
    const miColor inPlace = shade(kStart);
    EXPECT_COLOR_EQ(inPlace, referenceShade(reference({{kFront}}), kStart));
    EXPECT_EQ(scene_.calls().phenEval, 0u);

    // Marked in the area, but the shader record holds no connection area.
    block_.connect(VorlaneParameter::color, scene_.connect(miColor{1.0f, 0.0f, 0.0f, 1.0f}));
    block_.block().setConnectionAreaEnabled(false);
    EXPECT_COLOR_EQ(shade(kStart), inPlace);
    EXPECT_EQ(scene_.calls().phenEval, 0u);
}

// A colour that depends on the sample's position.
const void* colorFromPoint(const miState& state, void*) {
    thread_local miColor value;
    value = {state.point.x, 0.5f, 0.25f, 1.0f};
    return &value;
}

TEST_F(ParameterTest, ConnectionsYieldTheirValuePerSample) {
    useLights({{kFront}});
    block_.connect(VorlaneParameter::color, scene_.connectFunction(&colorFromPoint, nullptr));
    for (float x : {0.125f, 0.75f}) {
        renderer::ShadingPoint point = standardPoint();
        point.point.x = x;
        ReferenceInputs expected = reference({{kFront}}, {}, point);
        expected.parameters.color = {x, 0.5f, 0.25f, 1.0f};
        EXPECT_COLOR_EQ(shade(kStart, point), referenceShade(expected, kStart));
    }
}

}  // namespace
}  // namespace vorlane::test
