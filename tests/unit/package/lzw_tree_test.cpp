// The encoder's dictionary tree: byte-string order kept through rebalancing,
// and short searches when keys arrive sorted.
#include <gtest/gtest.h>

#include <algorithm>

#include "package/binary_tree.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using Tree = CBinaryTree<CBuffer, CBuffer*, int, int>;

// Grows the dictionary the way the encoder does: each key extends the
// longest match found so far by one byte.
void GrowLikeTheEncoder(Tree& tree, const test::Bytes& input) {
  Tree::CNode* match = nullptr;
  std::size_t start = 0;
  std::size_t length = 2;
  for (std::size_t next = 1; next < input.size(); ++next) {
    CBuffer key(input.data(), start, length);
    bool inserted = false;
    Tree::CNode* node = tree.Lookup(&key, match, inserted);
    if (!inserted) {
      match = node;
      ++length;
    } else {
      match = nullptr;
      start = next;
      length = 2;
    }
  }
}

TEST(LzwTree, WalksKeysInByteStringOrder) {
  for (const test::Bytes& input : {test::RandomBytes(20'000, 9), test::StructuredBytes(40'000),
                                   test::TextBytes(40'000, 10)}) {
    Tree tree;
    GrowLikeTheEncoder(tree, input);
    const CBuffer* previous = nullptr;
    std::size_t visited = 0;
    std::vector<bool> codeSeen(tree.GetCount(), false);
    tree.ForEachInOrder([&](const Tree::CNode& node) {
      if (previous != nullptr) {
        EXPECT_LT(previous->Compare(node.m_key), 0);
      }
      previous = &node.m_key;
      ++visited;
      const std::size_t index = static_cast<std::size_t>(node.m_value - 256);
      ASSERT_LT(index, codeSeen.size());
      EXPECT_FALSE(codeSeen[index]);
      codeSeen[index] = true;
    });
    EXPECT_EQ(visited, tree.GetCount());
    EXPECT_EQ(tree.NextCode(), static_cast<int>(256 + tree.GetCount()));
  }
}

TEST(LzwTree, SortedInsertionsStayShallow) {
  // Every extension of "ab" in rising (then falling) byte order, as a ramp
  // produces them: a plain search tree would become a list of 256.
  test::Bytes keys;
  for (int b = 0; b < 256; ++b) keys.insert(keys.end(), {'a', 'b', static_cast<std::uint8_t>(b)});
  for (const bool descending : {false, true}) {
    Tree tree;
    CBuffer pair(keys.data(), 0, 2);
    bool inserted = false;
    Tree::CNode* prefix = tree.Lookup(&pair, nullptr, inserted);
    for (int i = 0; i < 256; ++i) {
      const int at = descending ? 255 - i : i;
      CBuffer key(keys.data(), static_cast<std::size_t>(3 * at), 3);
      tree.Lookup(&key, prefix, inserted);
      ASSERT_TRUE(inserted);
    }
    std::size_t deepest = 0;
    tree.ForEachInOrder([&](const Tree::CNode& node) { deepest = std::max(deepest, Tree::SiblingDepth(&node)); });
    EXPECT_LE(deepest, 20u);
    EXPECT_EQ(tree.GetCount(), 257u);
  }
}

}  // namespace
}  // namespace package
