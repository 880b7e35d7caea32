// Owning pointers of the support library: the object (or array) is freed when
// the owner is destroyed, also while an exception unwinds.
#pragma once

#include <memory>

template <class T>
using HuxAutoPtr = std::unique_ptr<T>;

// HuxAutoArrayPtr<T> owns a new[]-allocated array of T.
template <class T>
using HuxAutoArrayPtr = std::unique_ptr<T[]>;
