#include "check/bind_model.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;
using Strings = std::vector<std::string>;

Strings Names(const Lines& lines) {
  Strings out;
  for (const Text& l : lines) out.push_back(ToUtf8(l));
  return out;
}

TEST(BindModelBind, NeedsBothSelectionsAndMovesNamesToTodo) {
  BindModel m(L({"W_a", "W_b", "W_c"}), L({"W_x", "W_y"}));
  m.SelectOld(1);
  EXPECT_FALSE(m.Bind());  // nothing selected in the new list
  m.SelectNew(0);
  m.SelectOld(std::nullopt);
  EXPECT_FALSE(m.Bind());
  EXPECT_TRUE(m.todo().empty());

  m.SelectOld(1);
  m.SelectNew(1);
  ASSERT_TRUE(m.Bind());
  EXPECT_EQ(Names(m.todo()), Strings{"W_b > W_y"});
  EXPECT_EQ(Names(m.old_entries()), (Strings{"W_a", "W_c"}));
  EXPECT_EQ(Names(m.new_entries()), Strings{"W_x"});
  // The next unbound old name is selected; nothing in the new list.
  EXPECT_EQ(m.selected_old(), std::optional<size_t>(1));
  EXPECT_FALSE(m.selected_new());
  EXPECT_FALSE(m.Bind());
  // Binding the last old name selects the one before it.
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  EXPECT_EQ(m.selected_old(), std::optional<size_t>(0));
}

TEST(BindModelBind, IdenticalTodoEntryBlocksRepeatedBind) {
  BindModel m(L({"Dup", "Dup"}), L({"New", "New"}));
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  m.SelectOld(0);
  m.SelectNew(0);
  EXPECT_FALSE(m.Bind());
  EXPECT_EQ(Names(m.todo()), Strings{"Dup > New"});
  EXPECT_EQ(Names(m.old_entries()), Strings{"Dup"});
  EXPECT_EQ(Names(m.new_entries()), Strings{"New"});
}

TEST(BindModelBind, OnlyRemovedNamesCannotBeBound) {
  BindModel m(L({"Gone"}), {});
  m.SelectOld(0);
  m.SelectNew(0);  // no such item: stays unselected
  EXPECT_FALSE(m.selected_new());
  EXPECT_FALSE(m.Bind());
  EXPECT_EQ(m.Continue(), DialogAction::kAskQuestion);
}

TEST(BindModelRelease, ReturnsNamesToTheirPlacesInListOrder) {
  BindModel m(L({"a", "b", "c"}), L({"x", "y", "z"}));
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());  // "a > x"
  m.SelectOld(1);
  m.SelectNew(1);
  ASSERT_TRUE(m.Bind());  // "c > z"
  EXPECT_EQ(Names(m.todo()), (Strings{"a > x", "c > z"}));

  EXPECT_FALSE(m.Release());  // no todo selection
  m.SelectTodo(0);
  ASSERT_TRUE(m.Release());
  EXPECT_EQ(Names(m.old_entries()), (Strings{"a", "b"}));
  EXPECT_EQ(Names(m.new_entries()), (Strings{"x", "y"}));
  EXPECT_EQ(Names(m.todo()), Strings{"c > z"});
  EXPECT_FALSE(m.selected_todo());
  EXPECT_FALSE(m.Release());
  m.SelectTodo(0);
  ASSERT_TRUE(m.Release());  // "c" and "z" go back behind the others
  EXPECT_EQ(Names(m.old_entries()), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Names(m.new_entries()), (Strings{"x", "y", "z"}));
}

TEST(BindModelRelease, OutOfRangeSelectionCountsAsNone) {
  BindModel m(L({"a"}), L({"x"}));
  m.SelectTodo(0);
  EXPECT_FALSE(m.selected_todo());
  m.SelectOld(5);
  EXPECT_FALSE(m.selected_old());
}

TEST(BindModelContinue, EmptyOldListRepliesAtOnce) {
  BindModel m(L({"a"}), L({"x", "extra"}));
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  const DialogAction action = m.Continue();
  ASSERT_EQ(action, DialogAction::kReplyContinue);
  const BindReply reply = m.Reply(action);
  EXPECT_FALSE(reply.cancelled);
  EXPECT_EQ(Names(reply.todo), Strings{"a > x"});
}

TEST(BindModelContinue, LeftOverOldNamesAskAndEachAnswerActs) {
  BindModel m(L({"a", "b"}), L({"x"}));
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  ASSERT_EQ(m.Continue(), DialogAction::kAskQuestion);
  EXPECT_EQ(BindModel::AnswerQuestion(QuestionAnswer::kYes), DialogAction::kReplyContinue);
  EXPECT_EQ(BindModel::AnswerQuestion(QuestionAnswer::kNo), DialogAction::kStay);
  EXPECT_EQ(BindModel::AnswerQuestion(QuestionAnswer::kCancel), DialogAction::kReplyCancel);
  EXPECT_EQ(BindModel::Close(), DialogAction::kReplyCancel);

  const BindReply yes = m.Reply(BindModel::AnswerQuestion(QuestionAnswer::kYes));
  EXPECT_FALSE(yes.cancelled);
  EXPECT_EQ(Names(yes.todo), Strings{"a > x"});
  EXPECT_TRUE(m.Reply(BindModel::AnswerQuestion(QuestionAnswer::kCancel)).cancelled);
  EXPECT_TRUE(m.Reply(BindModel::Close()).cancelled);
}

TEST(BindModelContinue, ReplyIsASnapshotOfTheTodoList) {
  BindModel m(L({"a", "b"}), L({"x", "y"}));
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  const BindReply reply = m.Reply(DialogAction::kReplyContinue);
  m.SelectOld(0);
  m.SelectNew(0);
  ASSERT_TRUE(m.Bind());
  EXPECT_EQ(Names(reply.todo), Strings{"a > x"});
  EXPECT_EQ(m.todo().size(), 2u);
}

TEST(BindModelTexts, TitleAndQuestion) {
  EXPECT_EQ(ToUtf8(BindDialogTitle(1)), "Search and Replace - Window");
  EXPECT_EQ(ToUtf8(BindDialogTitle(6)), "Search and Replace - Gadget");
  EXPECT_EQ(ToUtf8(Text(kBindQuestionText)), "Some old constants not to bind! Continue?");
}

}  // namespace
}  // namespace quillon
