// The event signals of scene nodes: Boost.Signals2 signals made only when a handler is connected,
// so the thousands of nodes that nobody listens to cost one pointer per signal, and emitting a
// signal without handlers costs a test. Nodes live on the main thread, so the signals take no
// locks.
#pragma once

#include <boost/signals2/dummy_mutex.hpp>
#include <boost/signals2/signal.hpp>
#include <boost/signals2/signal_type.hpp>

#include <cstddef>
#include <memory>
#include <utility>

template <typename Signature> class NodeSignal
{
public:
    using Signal = typename boost::signals2::signal_type<
        Signature, boost::signals2::keywords::mutex_type<boost::signals2::dummy_mutex>>::type;
    using Slot = typename Signal::slot_type;

    NodeSignal() = default;
    NodeSignal(const NodeSignal&) = delete;
    NodeSignal& operator=(const NodeSignal&) = delete;

    // Connects slot (by default after the handlers connected before). Disconnect through the
    // connection, or keep a boost::signals2::scoped_connection.
    boost::signals2::connection connect(const Slot& slot,
                                        boost::signals2::connect_position at = boost::signals2::at_back)
    {
        if (!mSignal)
            mSignal = std::make_unique<Signal>();
        return mSignal->connect(slot, at);
    }
    // Calls every connected handler in order.
    template <typename... Args> void operator()(Args&&... args)
    {
        if (mSignal && !mSignal->empty())
            (*mSignal)(std::forward<Args>(args)...);
    }
    bool empty() const { return !mSignal || mSignal->empty(); }
    std::size_t num_slots() const { return mSignal ? mSignal->num_slots() : 0; }
    void disconnect_all_slots()
    {
        if (mSignal)
            mSignal->disconnect_all_slots();
    }

private:
    std::unique_ptr<Signal> mSignal;
};
