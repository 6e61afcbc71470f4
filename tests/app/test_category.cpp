#include "MainWindowFixture.h"

#include "app/logic/Lists.h"

#include <QLineEdit>

namespace {

class Category : public MainWindowTest {
protected:
    // Picks an item the way the operator does: the arrow key moves to it in the selector.
    void pick(int index)
    {
        platform::TComboBox* combo = main().Combo_categ;
        combo->setFocus(Qt::TabFocusReason);
        combo->SetItemIndex(index - 1);
        QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->ItemIndex(), index);
    }
    QStringList labels()
    {
        return {main().Label20->Caption(), main().Label22->Caption(), main().Label23->Caption()};
    }
};

TEST_F(Category, StartShowsThePlainFormOfTheInitialItem)
{
    EXPECT_EQ(labels(),
        (QStringList {u("категории \"В\"  как объектов управления"), u("категории \"В\" "),
            u("категории \"В\" ")}));
}

struct Pick {
    const char* name;
    int index;
    const char* label20;
    const char* label22;
};

class CategoryPick : public Category, public ::testing::WithParamInterface<Pick> { };

TEST_P(CategoryPick, SetsTheThreeLabels)
{
    pick(GetParam().index);
    EXPECT_EQ(labels(),
        (QStringList {u(GetParam().label20), u(GetParam().label22), u(GetParam().label22)}));
}

// Item 15's code is Cyrillic "С1", item 18's is the Latin "B"; retraining runs from item 14
// to the last item, 23.
INSTANTIATE_TEST_SUITE_P(Items, CategoryPick,
    ::testing::Values(
        Pick {"Item0", 0, "категории \"А\" как объектов управления", "категории \"А\""},
        Pick {"Item7TrailingBlank", 7, "категории \"M\"  как объектов управления",
            "категории \"M\" "},
        Pick {"Item15Retraining", 15,
            "категории \xD0\xA1"
            "1 как объектов управления",
            "категории \xD0\xA1"
            "1"},
        Pick {"Item18LatinB", 18, "категории B как объектов управления", "категории B"},
        // Both ends of the retraining range, and the item just before it.
        Pick {"Item13LastBeforeRetraining", 13, "подкатегории \"D1E\" как объектов управления",
            "подкатегории \"D1E\""},
        Pick {"Item14FirstRetraining", 14, "категории \xD0\xA1 как объектов управления",
            "категории \xD0\xA1"},
        Pick {"Item23LastRetraining", 23,
            "категории \xD0\xA1"
            "1 как объектов управления",
            "категории \xD0\xA1"
            "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Category, BackFromRetrainingRestoresThePlainForm)
{
    pick(20);
    EXPECT_EQ(main().Label22->Caption(), u("категории D1"));
    pick(2);
    EXPECT_EQ(labels(),
        (QStringList {u("категории \"С\"  как объектов управления"), u("категории \"С\" "),
            u("категории \"С\" ")}));
}

// The box completes a typed beginning to the first item that starts with it; the change
// event follows the text the box then shows, and the item it shows is selected.
TEST_F(Category, TypedBeginningCompletesAndTheLabelsFollowTheShownItem)
{
    const QStringList items = lists::categoryList();
    platform::TComboBox* combo = main().Combo_categ;
    combo->setFocus(Qt::TabFocusReason);
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    type(focused, u("к"));
    EXPECT_EQ(combo->Text(), items[0]);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->lineEdit()->selectedText(), items[0].mid(1)) << "the completed part";
    EXPECT_EQ(labels(),
        (QStringList {u("категории \"А\" как объектов управления"), u("категории \"А\""),
            u("категории \"А\"")}));

    // Typing on over the completed part narrows the completion.
    type(focused, u("атегории \"С"));
    EXPECT_EQ(combo->Text(), items[2]);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(main().Label22->Caption(), items[2]);

    // A retraining programme reached by typing names its target category.
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    type(focused, u(" с категории \"C\" на категорию \"D"));
    EXPECT_EQ(combo->ItemIndex(), 19);
    EXPECT_EQ(main().Label22->Caption(), u("категории D"));

    // Deleting the completed part leaves the typed text, which no item is.
    QTest::keyClick(focused, Qt::Key_Backspace);
    EXPECT_EQ(combo->Text(), u(" с категории \"C\" на категорию \"D"));
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(main().Label22->Caption(), combo->Text());
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(Category, TypedTextWithoutItemShowsAsItIs)
{
    retype(main().Combo_categ, "tractor");
    EXPECT_EQ(main().Combo_categ->ItemIndex(), -1);
    EXPECT_EQ(
        labels(), (QStringList {u("tractor как объектов управления"), u("tractor"), u("tractor")}));
}

} // namespace
