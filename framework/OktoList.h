#pragma once

#include "framework/StandardAllocator.h"

#include <new>
#include <utility>

namespace Okto {

template <typename T>
struct Node {
    T value;
    Node* next;
};

// Singly linked list whose nodes come from (and go back to) the list's
// allocator. The list owns its nodes, so it is not copyable.
template <typename T>
class List {
public:
    using Allocator = StandardAllocator<Node<T>>;

    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List() { clear(); }

    void append(const T& value)
    {
        void* storage = allocator->allocate(1);
        Node<T>* node;
        try {
            node = new (storage) Node<T>{value, nullptr};
        } catch (...) {
            allocator->deallocate(storage);
            throw;
        }
        if (!head)
            head = node;
        else
            tail->next = node;
        tail = node;
        ++count;
    }

    // The value of element i, or a value-initialised T (null for pointers)
    // when the list is shorter.
    T at(int i) const
    {
        const Node<T>* node = nodeAt(i);
        return node ? node->value : T();
    }

    const Node<T>* nodeAt(int i) const
    {
        if (i < 0)
            return nullptr;
        const Node<T>* node = head;
        while (node && i-- > 0)
            node = node->next;
        return node;
    }

    void clear()
    {
        Node<T>* node = head;
        while (node) {
            Node<T>* next = node->next;
            node->~Node<T>();
            allocator->deallocate(node);
            node = next;
        }
        head = nullptr;
        tail = nullptr;
        count = 0;
    }

    Node<T>* head = nullptr;
    Node<T>* tail = nullptr;
    int count = 0;
    Allocator* allocator = &Allocator::instance();
};

} // namespace Okto
