#include "editor/document.h"

#include <gtest/gtest.h>

#include "common/fake_host.h"

namespace tess {
namespace {

TEST(Document, DefaultDocumentIsPreparedAtTheStartOfItsOnlySequence) {
    Model model;
    AppState state;
    testing::FakeHost host;
    buildDefaultDocument(model);
    prepareDocument(model, state, host);
    EXPECT_EQ(model.Name, "Untitled");
    ASSERT_EQ(model.Bones.size(), 1u);
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(state.rangeEnd, 1000);
    EXPECT_EQ(model.nodeOrder.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace tess
