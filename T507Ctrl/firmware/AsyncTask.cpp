#include "firmware/AsyncTask.h"

AsyncTask::AsyncTask(TaskThreads& threads) : threads_(threads) {}

AsyncTask::~AsyncTask() { EndWorker(); }

bool AsyncTask::Start()
{
    if (worker_ != nullptr) return false;
    taskState_.store(kTaskStarting);
    OnStart();
    worker_ = threads_.StartAboveNormal([this] { Work(); });
    return worker_ != nullptr;
}

void AsyncTask::Work()
{
    taskState_.store(kTaskRunning);
    const int32_t result = Run();
    taskState_.store(kTaskFinishing);
    OnFinish(result);
}

void AsyncTask::WaitWithMessages()
{
    if (worker_ != nullptr) worker_->WaitDispatching();
    taskState_.store(kTaskWaited);
}

void AsyncTask::SendProgress(int32_t code, intptr_t value)
{
    if (ProgressWindow* window = progressWindow_.load(); window != nullptr) window->SendProgress(code, value);
}

void AsyncTask::EndWorker() { worker_.reset(); }
