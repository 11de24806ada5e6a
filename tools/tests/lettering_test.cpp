// The pictures' own letters: a text lies where its width says (so that
// centring centres it), and a character without a letter stops the build
// instead of leaving a gap.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "lettering.h"

namespace sample_data {
namespace {

TEST(Lettering, EveryLetterFillsTheWidthItClaims) {
  const LetteringStyle style{20, 3, 2.4};
  for (const char* text : {"ABCDEGHIKLMNOPQRSTUVWY", "01234", "I", "O", "SONGS * LYRICS", "DEMO COLLECTION"}) {
    SCOPED_TRACE(text);
    const QPainterPath outline = lettering(text, QPointF(10, 40), style);
    const QRectF box = outline.boundingRect();
    EXPECT_NEAR(box.left(), 10, 0.6);
    EXPECT_NEAR(box.right(), 10 + letteringWidth(text, style), 0.6);
    EXPECT_NEAR(box.top(), 40 - style.weight / 2, 0.6);
    EXPECT_NEAR(box.bottom(), 40 + style.capHeight + style.weight / 2, 0.6);
  }
  const QPainterPath centred = centredLettering("HERE", 100, 0, style);
  EXPECT_NEAR(centred.boundingRect().center().x(), 100, 0.6);
}

TEST(Lettering, ACharacterWithoutALetterIsRefused) {
  for (const char* text : {"f", "DEMO!", "X", "5"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(lettering(text, QPointF(), LetteringStyle{}), std::invalid_argument);
    EXPECT_THROW(letteringWidth(text, LetteringStyle{}), std::invalid_argument);
  }
}

}  // namespace
}  // namespace sample_data
