// Closing with edits: no answer, warning or failed save loses them.

#include "editor_fixture.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;
using Step = FailingFileSystem::Step;

const std::string kGapSaved = "\r\n*Italy\r\nTorino FC\r\n\r\n*Spain\r\nSevilla United\r\n";

struct QuitCase {
    const char* name;
    std::vector<MessageAnswer> answers;  // the quit question's, then the gap warning's
    Step failAt;
    bool staysOpen;
    std::string fileAfter;
    std::vector<QString> messages;
};

class QuitQuestionTest : public EditorTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitQuestionTest, ClosesOnlyWhenTheEditsAreSavedOrGivenUp) {
    const QuitCase& c = GetParam();
    const QString path = write(QStringLiteral("q/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    erase(QStringLiteral("txtUCL_0"));  // an empty place before a filled one
    fs.failAt = c.failAt;
    dialogs.answers.assign(c.answers.begin(), c.answers.end());

    window->close();

    EXPECT_EQ(window->isVisible(), c.staysOpen);
    EXPECT_EQ(read(path), c.fileAfter);
    ASSERT_EQ(dialogs.texts().size(), c.messages.size());
    for (std::size_t k = 0; k < c.messages.size(); ++k)
        EXPECT_TRUE(dialogs.texts()[k].startsWith(c.messages[k])) << k;
    EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::None);
    EXPECT_TRUE(dialogs.messages[0].title.isEmpty());
    if (c.staysOpen) {
        EXPECT_EQ(findNation(*window->catalogue(), "Spain")->UCL1, "");
        EXPECT_EQ(findNation(*window->catalogue(), "Spain")->UCL2, "Sevilla United");
        EXPECT_TRUE(box(QStringLiteral("txtUCL_0"))->isEnabled());
        EXPECT_TRUE(state().bModified);
    }
}

const QString kAsk = ui::texts::kModifiedQuestion;
const QString kGap = QStringLiteral("These nations have an empty place before a filled one");
const QString kFailed = ui::texts::kSavingError;

using enum MessageAnswer;
const QuitCase kQuitCases[] = {
    {"YesSaves", {Yes, Save}, Step::None, false, kGapSaved, {kAsk, kGap}},
    {"NoDropsTheEdits", {No}, Step::None, false, kSpainItaly, {kAsk}},
    {"CancelKeepsEverything", {Cancel}, Step::None, true, kSpainItaly, {kAsk}},
    {"YesThenCancelAtTheWarning", {Yes, Cancel}, Step::None, true, kSpainItaly, {kAsk, kGap}},
    {"YesButTheSaveFails", {Yes, Save}, Step::Rename, true, kSpainItaly, {kAsk, kGap, kFailed}},
};
INSTANTIATE_TEST_SUITE_P(Answers, QuitQuestionTest, ::testing::ValuesIn(kQuitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velquor::test
