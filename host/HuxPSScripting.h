// The host's scripting descriptors, wrapped once: whether the host plays a
// recorded step and how, reading it into plain items, and recording the
// items of a successful run. Every quirk of the block is handled here: a
// host without the block, a block with null suites or null procs in them
// (some hosts fill it with zeros), and counts that leave procs out.
#pragma once

#include "host/HuxPSDescriptorItems.h"
#include "host/PSHostInterface.h"

class HuxPSScripting {
public:
    // The record must outlive this object.
    explicit HuxPSScripting(PS::FilterRecord& record);

    // A recorded step to play that this host can hand over: a descriptor,
    // and a read suite with the procs to open, step through and close it.
    bool Playing() const;
    // How to play it (PS::playDialogIfNeeded, playDialogShown, playSilent
    // or a value of the host's own); playDialogShown without the block.
    int16_t PlayInfo() const;
    // Every key of the recorded step in the host's order, each value read
    // by the get proc of its type. keys: the keys the plug-in expects,
    // zero-terminated. Throws std::runtime_error, saying why, when the host
    // fails to hand over a value.
    HuxPSDescriptorItems Read(const PS::DescriptorKeyID* keys) const;

    // Whether the host takes a recorded step: a write suite with the procs
    // to open, close and put integers, floats, booleans and text.
    bool CanRecord() const;
    // Writes the items as a new descriptor and hands it to the host (which
    // frees the one it held). A host that declines to open one records
    // nothing; a host's failure throws its code.
    void Record(const HuxPSDescriptorItems& items) const;

private:
    PS::PIDescriptorParameters* Block() const;
    std::string ReadText(PS::PIReadDescriptor token) const;
    void Put(PS::PIWriteDescriptor token, const HuxPSDescriptorItem& item) const;
    void PutText(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, const std::string& text) const;

    PS::FilterRecord& m_record;
};
