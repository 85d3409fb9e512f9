// The LZW encoder's dictionary: byte strings of the input mapped to codes.
//
// Keys are ordered as byte strings: the common prefix compared byte by byte as
// unsigned values and, when one key is a prefix of the other, the shorter
// first. Every key of length 3 or more extends a key already in the tree by
// one byte (an LZW dictionary only ever grows a string it has just matched),
// and the tree is laid out by that relation:
//
//   - a key of length 2 has a slot of its own, m_pPairs[first * 256 + second];
//   - the keys that extend a node by one byte form one binary search tree,
//     ordered by that last byte, rooted at the node's m_pLonger.
//
// Within such a sibling tree every key differs from the others in its last
// byte only, so a step of the search compares one byte, and a lookup that
// starts from the node of the key's prefix only ever visits the prefix's own
// extensions. An in-order walk (slots in order; in each, left, node, longer,
// right) visits the keys in the byte-string order above.
//
// Why not one search tree of all keys: comparing two keys costs up to their
// length (hundreds of bytes in repetitive data), and sorted patterns insert
// keys in rising order, which turns such a tree into a list. Here a step of
// the search costs one byte comparison.
//
// Patterns such as ramps or counters still add the extensions of a string in
// rising byte order, which would turn a plain sibling tree into a list of up
// to 256. Each sibling tree is therefore kept as a treap whose priorities are
// a fixed scramble of the last byte: its shape depends only on which bytes are
// present, never on the order they arrived in, and is as shallow as a randomly
// built tree (at most 14 levels for all 256 bytes).
//
// The keys of length 2 get slots rather than trees because every match starts
// with one: they are the most frequent lookups and the largest sibling sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace package {

// A byte string of the encoder's input, given as (offset, length) into it. The
// bytes are never copied: the key stays valid as long as the input does.
class CBuffer {
 public:
  CBuffer() = default;
  CBuffer(const std::uint8_t* input, std::size_t offset, std::size_t length)
      : m_pInput(input),
        m_nOffset(static_cast<std::uint32_t>(offset)),
        m_nLength(static_cast<std::uint32_t>(length)) {}

  std::size_t Offset() const { return m_nOffset; }
  std::size_t Length() const { return m_nLength; }
  std::uint8_t operator[](std::size_t index) const { return m_pInput[m_nOffset + index]; }
  std::uint8_t Last() const { return (*this)[m_nLength - 1]; }

  // Byte-string order: negative, zero or positive as this key sorts before,
  // equal to or after other.
  int Compare(const CBuffer& other) const {
    const std::size_t common = m_nLength < other.m_nLength ? m_nLength : other.m_nLength;
    for (std::size_t i = 0; i < common; ++i) {
      if ((*this)[i] != other[i]) return (*this)[i] < other[i] ? -1 : 1;
    }
    if (m_nLength == other.m_nLength) return 0;
    return m_nLength < other.m_nLength ? -1 : 1;
  }

 private:
  const std::uint8_t* m_pInput = nullptr;
  std::uint32_t m_nOffset = 0;  // the input is at most 4 GB - 1 bytes long
  std::uint32_t m_nLength = 0;
};

// KEY is a byte string (Length(), operator[], Last()) of length 2 or more;
// ARG_KEY is how keys are passed in (a pointer). VALUE is the code a key maps
// to; ARG_VALUE gives the first code handed out after each emptying.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CBinaryTree {
 public:
  struct CNode {
    KEY m_key;
    VALUE m_value;                  // the key's code
    std::uint32_t m_nHits;          // lookups that found this key
    CNode* m_pParent;               // in its sibling tree; for a sibling tree's root the
                                    // prefix's node; nullptr for a key of length 2
    CNode* m_pLeft;                 // siblings with a smaller last byte
    CNode* m_pRight;                // siblings with a greater last byte
    CNode* m_pLonger;               // root of the keys that extend this one
    std::uint8_t m_nSymbol;         // the key's last byte, kept here for the search
  };

  explicit CBinaryTree(ARG_VALUE firstCode = 256) : m_firstCode(firstCode), m_nextCode(firstCode) {}
  CBinaryTree(const CBinaryTree&) = delete;
  CBinaryTree& operator=(const CBinaryTree&) = delete;

  std::size_t GetCount() const { return m_nCount; }
  VALUE NextCode() const { return m_nextCode; }

  // Finds key, inserting it with the next code when it is absent (inserted
  // then says so). prefix is the node of the key without its last byte, as
  // returned by an earlier lookup; nullptr for a key of length 2, which is
  // found in its slot.
  CNode* Lookup(ARG_KEY key, CNode* prefix, bool& inserted) {
    const std::uint8_t symbol = key->Last();
    CNode** link = prefix != nullptr ? &prefix->m_pLonger : &m_pPairs[PairIndex(*key)];
    CNode* parent = prefix;
    while (CNode* node = *link) {
      if (symbol == node->m_nSymbol) {
        ++node->m_nHits;
        inserted = false;
        return node;
      }
      parent = node;
      link = symbol < node->m_nSymbol ? &node->m_pLeft : &node->m_pRight;
    }
    CNode* node = NewNode();
    node->m_key = *key;
    node->m_value = m_nextCode;
    node->m_nHits = 0;
    node->m_pParent = parent;
    node->m_pLeft = node->m_pRight = node->m_pLonger = nullptr;
    node->m_nSymbol = symbol;
    *link = node;
    ++m_nextCode;
    ++m_nCount;
    RaiseToPriority(node);
    inserted = true;
    return node;
  }

  // Deletes every node; the next code starts again at the first one. The
  // nodes' memory is kept for the keys to come.
  void RemoveAll() {
    for (std::size_t i = 0; i < m_nCount; ++i) {
      const CNode& node = m_blocks[i / kNodesPerBlock][i % kNodesPerBlock];
      if (node.m_pParent == nullptr) m_pPairs[PairIndex(node.m_key)] = nullptr;
    }
    m_nCount = 0;
    m_nextCode = m_firstCode;
  }

  // Calls visit(node) for every node, in key order.
  template <class Visit>
  void ForEachInOrder(Visit visit) const {
    for (const CNode* root : m_pPairs) VisitInOrder(root, visit);
  }

  // The number of sibling links from the root of node's sibling tree down to
  // node (0 for the root itself): how many bytes a lookup compares.
  static std::size_t SiblingDepth(const CNode* node) {
    std::size_t depth = 0;
    while (!IsSiblingRoot(node)) {
      node = node->m_pParent;
      ++depth;
    }
    return depth;
  }

 private:
  static constexpr std::size_t kNodesPerBlock = 4096;

  // Priority of a node in its sibling tree: a bijective scramble of the last
  // byte (xor-shifts and odd multiplications modulo 256), so that no natural
  // byte order lines up with it.
  static std::uint8_t Priority(std::uint8_t symbol) {
    unsigned x = symbol;
    x ^= x >> 4;
    x = (x * 0x9Du) & 0xFFu;
    x ^= x >> 3;
    x = (x * 0x5Bu) & 0xFFu;
    x ^= x >> 4;
    return static_cast<std::uint8_t>(x);
  }

  static bool IsSiblingRoot(const CNode* node) {
    return node->m_pParent == nullptr || node->m_pParent->m_pLonger == node;
  }

  // The pointer that holds node: its parent's left or right link, the
  // prefix's m_pLonger, or a slot of a key of length 2.
  CNode** LinkTo(CNode* node) {
    CNode* parent = node->m_pParent;
    if (parent == nullptr) return &m_pPairs[PairIndex(node->m_key)];
    if (parent->m_pLeft == node) return &parent->m_pLeft;
    if (parent->m_pRight == node) return &parent->m_pRight;
    return &parent->m_pLonger;
  }

  // Rotates a newly inserted leaf up its sibling tree until its parent has a
  // higher priority. Rotations keep the sibling order and every m_pLonger.
  void RaiseToPriority(CNode* node) {
    while (!IsSiblingRoot(node) && Priority(node->m_nSymbol) > Priority(node->m_pParent->m_nSymbol)) {
      CNode* parent = node->m_pParent;
      CNode** parentLink = LinkTo(parent);
      if (parent->m_pLeft == node) {
        parent->m_pLeft = node->m_pRight;
        if (node->m_pRight != nullptr) node->m_pRight->m_pParent = parent;
        node->m_pRight = parent;
      } else {
        parent->m_pRight = node->m_pLeft;
        if (node->m_pLeft != nullptr) node->m_pLeft->m_pParent = parent;
        node->m_pLeft = parent;
      }
      node->m_pParent = parent->m_pParent;
      parent->m_pParent = node;
      *parentLink = node;
    }
  }

  // Nodes come from blocks that are kept across RemoveAll, so that filling
  // the dictionary again allocates nothing.
  CNode* NewNode() {
    const std::size_t block = m_nCount / kNodesPerBlock;
    if (block == m_blocks.size()) m_blocks.push_back(std::make_unique<CNode[]>(kNodesPerBlock));
    return &m_blocks[block][m_nCount % kNodesPerBlock];
  }

  static std::size_t PairIndex(const KEY& key) { return std::size_t{key[0]} << 8 | key[1]; }

  template <class Visit>
  static void VisitInOrder(const CNode* node, Visit& visit) {
    // Recursion depth is bounded by the sibling trees' depth times the key
    // length; this walk is for checks, not for the encoder.
    if (node == nullptr) return;
    VisitInOrder(node->m_pLeft, visit);
    visit(*node);
    VisitInOrder(node->m_pLonger, visit);
    VisitInOrder(node->m_pRight, visit);
  }

  std::vector<CNode*> m_pPairs = std::vector<CNode*>(65536, nullptr);
  std::vector<std::unique_ptr<CNode[]>> m_blocks;
  std::size_t m_nCount = 0;
  VALUE m_firstCode;
  VALUE m_nextCode;
};

}  // namespace package
