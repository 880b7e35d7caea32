// Publishes an object through a pointer slot for the length of a scope (a
// modal run, say), and takes it back however the scope ends.
#pragma once

template <class T>
class HuxPublishedPointer {
public:
    HuxPublishedPointer(T*& slot, T* object) : m_slot(slot) { m_slot = object; }
    ~HuxPublishedPointer() { m_slot = nullptr; }
    HuxPublishedPointer(const HuxPublishedPointer&) = delete;
    HuxPublishedPointer& operator=(const HuxPublishedPointer&) = delete;

private:
    T*& m_slot;
};
