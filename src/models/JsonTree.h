// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A read-only JSON tree over the body's own bytes, built in one pass, with object keys looked up
// by their converted (camelCase) name without building converted copies. It takes only a plain
// subset of JSON: ASCII keys without escapes, no two keys of one object that convert to the same
// name, standard escapes, well-formed UTF-8 without non-characters, finite numbers and at most
// 64 levels. Anything else is declined (parse() returns nothing) and the caller decodes the body
// through QJsonDocument instead, so the rare body outside the subset gets exactly the answer or
// error it always got. Strings are decoded only when read.
class JsonTree
{
public:
    class Value;
    class Object;
    class Array;

    static std::optional<JsonTree> parse(const QByteArray &body);

    Value root() const;

private:
    friend class Value;
    friend class Object;
    friend class Array;
    friend class JsonTreeParser;

    enum class Type : std::uint8_t { Null, Bool, Number, String, Array, Object };
    struct Node {
        Type type = Type::Null;
        bool flag = false; // a Bool's value; for a String, whether it holds escapes
        std::uint32_t first = 0; // String: byte offset; Array/Object: first child entry
        std::uint32_t count = 0; // String: byte length; Array/Object: number of children
        double number = 0;
    };
    struct Member {
        std::uint32_t keyOffset;
        std::uint32_t keyLength;
        std::uint32_t nameHash; // of the converted name
        std::uint32_t value;
    };

    QString stringAt(const Node &node) const;

    QByteArray m_body;
    std::vector<Node> m_nodes;
    std::vector<Member> m_members;   // each object's members are contiguous
    std::vector<std::uint32_t> m_elements; // each array's elements are contiguous
};

class JsonTree::Value
{
public:
    bool isNull() const { return node().type == Type::Null; }
    bool isUndefined() const { return false; }
    bool isBool() const { return node().type == Type::Bool; }
    bool isDouble() const { return node().type == Type::Number; }
    bool isString() const { return node().type == Type::String; }
    bool isArray() const { return node().type == Type::Array; }
    bool isObject() const { return node().type == Type::Object; }
    bool toBool() const { return node().flag; }
    double toDouble() const { return node().number; }
    QString toString() const { return isString() ? m_tree->stringAt(node()) : QString(); }
    Object toObject() const;
    Array toArray() const;

private:
    friend class JsonTree;
    friend class Object;
    friend class Array;
    Value(const JsonTree *tree, std::uint32_t index)
        : m_tree(tree)
        , m_index(index)
    {
    }
    const Node &node() const { return m_tree->m_nodes[m_index]; }
    const JsonTree *m_tree;
    std::uint32_t m_index;
};

class JsonTree::Object
{
public:
    // The member whose key converts to `name` (already camelCase).
    std::optional<Value> find(const QString &name) const;

private:
    friend class Value;
    Object(const JsonTree *tree, const Node *node)
        : m_tree(tree)
        , m_node(node)
    {
    }
    const JsonTree *m_tree;
    const Node *m_node; // null for a value that is not an object: no members
};

class JsonTree::Array
{
public:
    qsizetype size() const { return m_node ? qsizetype(m_node->count) : 0; }
    Value at(qsizetype i) const { return Value(m_tree, m_tree->m_elements[m_node->first + std::uint32_t(i)]); }

private:
    friend class Value;
    Array(const JsonTree *tree, const Node *node)
        : m_tree(tree)
        , m_node(node)
    {
    }
    const JsonTree *m_tree;
    const Node *m_node;
};
