// The host's side of scripting descriptors: the block it puts in the
// record for a run, the read and write suites in it, the steps being read
// or written (each behind the token its open proc answered), the step the
// host plays and the one the last successful run recorded. As a host does,
// it frees the step it handed over and keeps what the plug-in left in the
// block; handles it hands the plug-in (text) are the plug-in's to free.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/PSDescriptorInterface.h"
#include "testhost/DescriptorStore.h"
#include "testhost/HostOptions.h"

namespace SquelmHost {

class HandleTable;

class DescriptorSession {
public:
    explicit DescriptorSession(HandleTable& handles);
    ~DescriptorSession();
    DescriptorSession(const DescriptorSession&) = delete;
    DescriptorSession& operator=(const DescriptorSession&) = delete;

    // The step the next runs play, and how (PS::playSilent, ...).
    void Play(Descriptor step, int16_t playInfo);
    void StopPlaying();

    // The block for a run's record (null without one), holding the step to
    // play in a handle of its own.
    PS::PIDescriptorParameters* Prepare(DescriptorOffer offer);
    // After the run: keeps the step a successful run recorded (else
    // nothing) and frees both the handed and the recorded handle.
    void Finish(bool succeeded);
    const std::optional<Descriptor>& Recorded() const { return recorded_; }
    // Steps opened and not closed: a plug-in that leaks the host's tokens.
    size_t OpenSteps() const { return readings_.size() + writings_.size(); }

    // ---- The procs' work (DescriptorCallbacks.cpp) -------------------------
    PS::PIReadDescriptor OpenRead(PS::PIDescriptorHandle descriptor);
    PS::OSErr CloseRead(PS::PIReadDescriptor token);
    bool NextKey(PS::PIReadDescriptor token, PS::DescriptorKeyID& key, PS::DescriptorTypeID& type);
    // The value at the reading's key when it has this type, else null.
    const DescriptorValue* Current(PS::PIReadDescriptor token, PS::DescriptorTypeID type) const;
    // A new handle holding the bytes, for the plug-in to free.
    PS::Handle NewHandleWith(const std::string& bytes);
    PS::PIWriteDescriptor OpenWrite();
    PS::OSErr Put(PS::PIWriteDescriptor token, DescriptorValue value);
    PS::OSErr CloseWrite(PS::PIWriteDescriptor token, PS::PIDescriptorHandle* out);
    // A handle's bytes; nothing for a handle this host did not make.
    std::optional<std::string> BytesOf(PS::Handle handle) const;

private:
    struct Reading {
        Descriptor step;
        size_t next = 0;
    };
    struct Writing {
        Descriptor step;
    };

    Reading* FindReading(PS::PIReadDescriptor token) const;
    Writing* FindWriting(PS::PIWriteDescriptor token) const;

    HandleTable& handles_;
    PS::PIDescriptorParameters block_{};
    PS::ReadDescriptorProcs readProcs_{};
    PS::WriteDescriptorProcs writeProcs_{};
    std::optional<Descriptor> play_;
    int16_t playInfo_ = PS::playSilent;
    PS::PIDescriptorHandle handed_ = nullptr;
    std::optional<Descriptor> recorded_;
    std::vector<std::unique_ptr<Reading>> readings_;
    std::vector<std::unique_ptr<Writing>> writings_;
};

} // namespace SquelmHost
