#include "app/EntityBindings.h"

#include <gtest/gtest.h>

#include "app/tests/WindowTestSupport.h"
#include "platform/Form.h"
#include "platform/Text.h"

namespace lw::app::testing {
namespace {

struct MemoBindingTest : ::testing::Test {
    RecordingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TComponent root{nullptr};
    platform::TForm& form = root.Make<platform::TForm>();
    platform::TMemo& memo = form.Make<platform::TMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true});
    MemoBinding binding{memo};
    int changes = 0;
};

TEST_F(MemoBindingTest, CodePageBytesRoundTripAndEverySetIsAChange) {
    ASSERT_EQ(GetACP(), 1251u) << "the tests expect the users' code page";
    memo.OnChange = [this] { ++changes; };
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n') bytes += static_cast<char>(c);
        if (c % 32 == 0) bytes += "\r\n";
    }
    binding.SetText(bytes);
    EXPECT_EQ(binding.Text().bytes, bytes);
    EXPECT_EQ(changes, 1);
    binding.SetText({});
    EXPECT_EQ(binding.Text().bytes, "");
    EXPECT_EQ(changes, 2);
}

TEST_F(MemoBindingTest, NamesTheFirstCharacterTheCodePageCannotStoreWithItsLine) {
    struct Case {
        const wchar_t* text;
        const char* character;
        std::uint32_t codePoint;
        int line;
    };
    // "ő" has a look-alike "o" that a best-fit conversion would write without a word.
    const Case cases[] = {
        {L"\"a\" \"Карта — №1\"\r\n}", nullptr, 0, 0},
        {L"{\r\n\"a\" \"x\"\r\n\"b\" \"Gőz 中\"", "ő", 0x151, 3},
        {L"\r\n\r\n\r\n\U0001F600 ő", "\U0001F600", 0x1F600, 4},
        {L"中", "中", 0x4E2D, 1},
    };
    for (const Case& c : cases) {
        memo.SetTextW(c.text);
        const MemoText text = binding.Text();
        if (!c.character) {
            EXPECT_EQ(text.unstorable, std::nullopt);
            EXPECT_EQ(platform::AnsiToWide(text.bytes), c.text);
            continue;
        }
        ASSERT_TRUE(text.unstorable) << platform::WideToUtf8(c.text);
        EXPECT_EQ(text.unstorable->character, c.character);
        EXPECT_EQ(text.unstorable->codePoint, c.codePoint);
        EXPECT_EQ(text.unstorable->line, c.line);
    }
}

TEST_F(MemoBindingTest, ShowLinePutsTheCaretAtTheLineStartInView) {
    form.SetClientSize(300, 200);
    memo.SetBounds({0, 0, 300, 200});
    form.Show();
    std::string text;
    for (int line = 1; line <= 300; ++line) text += "\"line\" \"" + std::to_string(line) + "\"\r\n";
    binding.SetText(text);
    binding.ShowLine(250);
    const int start = static_cast<int>(text.find("\"250\""));
    const int lineStart = static_cast<int>(text.rfind('\n', start) + 1);
    EXPECT_EQ(memo.SelStart(), lineStart);
    EXPECT_EQ(memo.SelLength(), 0);
    const auto first = SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 200);
    EXPECT_LE(first, 249);
    EXPECT_EQ(GetFocus(), memo.Handle());
}

TEST_F(MemoBindingTest, LargeTextLoadsAndTakesTyping) {
    std::string big;
    for (int i = 0; big.size() < (4u << 20); ++i) big += "\"origin\" \"" + std::to_string(i) + " 0 0\"\r\n";
    binding.SetText(big);
    ASSERT_EQ(binding.Text().bytes.size(), big.size());
    const int end = static_cast<int>(big.size());
    SendMessageW(memo.Handle(), EM_SETSEL, end, end);
    SendMessageW(memo.Handle(), WM_CHAR, L'}', 0);
    EXPECT_EQ(binding.Text().bytes, big + "}");
}

TEST(MapListBinding, EntriesAndFolderAsShownAndSelectionFromTheProgram) {
    RecordingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TComponent root{nullptr};
    auto& form = root.Make<platform::TForm>();
    auto& maps = form.Make<controls::TsListBox>(&form);
    auto& folder = form.Make<platform::TEdit>(&form);
    int clicks = 0;
    maps.OnClick = [&] { ++clicks; };
    folder.SetText("C:\\Карты");
    maps.Add("de_карта.bsp");
    maps.Add("b.bsp");
    MapListBinding binding{maps, folder};

    EXPECT_EQ(binding.Folder(), "C:\\Карты");
    EXPECT_EQ(binding.Entry(0), "de_карта.bsp");
    EXPECT_EQ(binding.Entry(1), "b.bsp");
    EXPECT_EQ(binding.Entry(2), std::nullopt);
    EXPECT_EQ(binding.Entry(-1), std::nullopt);
    binding.Select(1);
    EXPECT_EQ(maps.ItemIndex(), 1);
    binding.Select(-1);
    EXPECT_EQ(maps.ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST(PromptBinding, QuestionAndNoticeBoxes) {
    struct Answering : RecordingPrompt {
        int answer = IDOK;
        int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) override {
            RecordingPrompt::Show(owner, text, caption, flags);
            return answer;
        }
    } prompt;
    platform::TApplication application{prompt};
    platform::TComponent root{nullptr};
    auto& form = root.Make<platform::TForm>();
    PromptBinding binding{prompt, form};

    const std::pair<int, Answer> answers[] = {{IDYES, Answer::Yes}, {IDNO, Answer::No}, {IDCANCEL, Answer::Cancel}};
    for (const auto& [button, answer] : answers) {
        prompt.answer = button;
        EXPECT_EQ(binding.Ask("Сохранение", "Сохранить изменения?"), answer);
    }
    binding.Tell("Успех", "Изменения сохранены!");
    ASSERT_EQ(prompt.shown.size(), 4u);
    EXPECT_EQ(prompt.shown[0].flags, UINT(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(prompt.shown[0].caption, "Сохранение");
    EXPECT_EQ(prompt.shown[3].flags, UINT(MB_OK));
    EXPECT_EQ(prompt.shown[3].text, "Изменения сохранены!");
}

}  // namespace
}  // namespace lw::app::testing
