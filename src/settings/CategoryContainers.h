// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Containers of element categories. Only the elements present count: adding or
// removing one does not by itself make the container modified.
#include "settings/Category.h"
#include "settings/ValueCategories.h"

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

template <typename T>
class CCatVec : public CCategory {
public:
    bool IsModified() const override
    {
        for (const T& element : elements_) {
            if (element.IsModified())
                return true;
        }
        return false;
    }

    void Commit() override
    {
        for (T& element : elements_)
            element.Commit();
    }
    void MarkModified() override
    {
        for (T& element : elements_)
            element.MarkModified();
    }

    size_t Size() const { return elements_.size(); }
    // Null when index is out of range.
    T* At(size_t index) { return index < elements_.size() ? &elements_[index] : nullptr; }
    const T* At(size_t index) const { return index < elements_.size() ? &elements_[index] : nullptr; }
    T& Append(T element) { return elements_.emplace_back(std::move(element)); }
    void RemoveAt(size_t index)
    {
        if (index < elements_.size())
            elements_.erase(elements_.begin() + std::ptrdiff_t(index));
    }
    void Clear() { elements_.clear(); }

    auto begin() { return elements_.begin(); }
    auto end() { return elements_.end(); }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    std::vector<T> elements_;
};

template <typename K, typename V>
class CCatMap : public CCategory {
public:
    bool IsModified() const override
    {
        for (const auto& [key, element] : elements_) {
            if (element.IsModified())
                return true;
        }
        return false;
    }

    void Commit() override
    {
        for (auto& [key, element] : elements_)
            element.Commit();
    }
    void MarkModified() override
    {
        for (auto& [key, element] : elements_)
            element.MarkModified();
    }

    size_t Size() const { return elements_.size(); }
    V* Find(const K& key)
    {
        auto it = elements_.find(key);
        return it == elements_.end() ? nullptr : &it->second;
    }
    const V* Find(const K& key) const
    {
        auto it = elements_.find(key);
        return it == elements_.end() ? nullptr : &it->second;
    }
    // The element for the key, created from `initial` when missing.
    V& FindOrInsert(const K& key, const V& initial = V{}) { return elements_.try_emplace(key, initial).first->second; }
    void Replace(const K& key, V element) { elements_.insert_or_assign(key, std::move(element)); }
    void Erase(const K& key) { elements_.erase(key); }
    void Clear() { elements_.clear(); }

    auto begin() { return elements_.begin(); }
    auto end() { return elements_.end(); }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    std::map<K, V> elements_;
};

class CCatDPIStagesVec : public CCatVec<CCatDPIStage> {};
class CCatMacroList : public CCatVec<CCatMacro> {};
class CCatZmAppList : public CCatVec<CCatZmApp> {};
class CCatKeyAssignMap : public CCatMap<int32_t, CCatAssnmnt> {};
class CCatLedAssignMap : public CCatMap<int32_t, CCatAssnmnt> {};
class CCatMouseBtnAssignMap : public CCatMap<tMouseButton, CCatAssnmnt> {};
class CCatLedStateMap : public CCatMap<tLEDType, CCatLedState> {};
class CCatLedColourMap : public CCatMap<tLEDType, CCatLedColour> {};
class CCatLedEffectMap : public CCatMap<tLEDType, CCatLedEffect> {};
class CCatLedBrightPercentMap : public CCatMap<tLEDType, CCatLedBrightPercent> {};
