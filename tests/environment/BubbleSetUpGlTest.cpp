#include "EnvironmentPasses.h"
#include "GlScene.h"
#include "ScriptedRandom.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class BubbleSetUp : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BubbleSetUp, placesFillsSpreadsAndLoadsOwnSprites)
{
    const auto [qipaoNum, drawn] = GetParam();
    GlScene::instance().beginFrame(0, 0, 0);
    QTemporaryDir assets;
    ASSERT_TRUE(assets.isValid());
    const std::string directory = QDir(assets.path()).path().toStdString() + "/";
    BubbleEmitter emitters[3];
    EmitterOrigin origins[3];
    // All draws 0: particles start at y -1 with no speed and no fade, so none is reborn
    // during the 110 start-up steps (they climb to y 4).
    ScriptedRandom random({});

    setUpBubbleEmitters(emitters, origins, -21, -50, qipaoNum, directory);

    // Per emitter: 9 draws for each of 110 particles, then 110 steps of 2 jitter draws
    // for each drawn particle.
    EXPECT_EQ(random.draws(), std::size_t(3 * (990 + 110 * 2 * drawn)));
    const float expectedZ[3] = {-150, -250, -100};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(origins[i].x, 0);
        EXPECT_FLOAT_EQ(origins[i].y, -26);
        EXPECT_FLOAT_EQ(origins[i].z, expectedZ[i]);
        EXPECT_EQ(emitters[i].capacity(), 110);
        EXPECT_EQ(emitters[i].count, drawn);
        // 110 steps of rise 0.00083333 give vy 0.0916667 to the drawn particles only.
        if (drawn > 0) {
            EXPECT_NEAR(emitters[i].particles[drawn - 1].vy, 0.0916667f, 1e-5);
        }
        if (drawn < 110) {
            EXPECT_FLOAT_EQ(emitters[i].particles[drawn].vy, 0);
        }
        // Each emitter has its own sprite texture with the picture in it.
        ASSERT_NE(emitters[i].texture, 0u);
        glBindTexture(GL_TEXTURE_2D, emitters[i].texture);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_GT(width, 0);
    }
    EXPECT_NE(emitters[0].texture, emitters[1].texture);
    EXPECT_NE(emitters[1].texture, emitters[2].texture);
    // The asset files are gone.
    EXPECT_TRUE(QDir(assets.path()).isEmpty(QDir::Files | QDir::Hidden | QDir::System));
}

INSTANTIATE_TEST_SUITE_P(BubbleEmitterGl, BubbleSetUp,
                         ::testing::Values(std::pair{100, 10}, std::pair{0, 110},
                                           std::pair{111, 0}));
