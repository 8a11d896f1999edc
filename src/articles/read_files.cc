// Reading the article files of a run, on several threads where that helps.
// Each thread has a parser of its own and takes the next file not yet
// taken; what a file gave (its records, its messages, whether it could be
// read) is kept apart, and the results are joined in the order of the
// files, as if one thread had read them in turn.

#include "articles/read_files.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "articles/reader.h"
#include "base/diagnostics.h"

namespace {

// What reading one file gave.  The records wait in a vector of their
// exact number: an article list holds memory even when it is empty, and
// ten thousand of them would add a tenth to what the records need.
struct file_read {
  std::vector<article> articles;
  held_messages messages;
  bool ok = false;
};

// Fewer files than this per thread are not worth a thread.
constexpr int kFilesPerThread = 8;
constexpr unsigned kMostThreads = 8;

// VORN_THREADS sets the number of threads (1: in turn); by default there
// is one per processor, for runs of enough files.
int thread_count(int files) {
  if (const char* v = std::getenv("VORN_THREADS"); v && *v) {
    unsigned long n = std::strtoul(v, nullptr, 10);
    return static_cast<int>(std::clamp<unsigned long>(
        std::min<unsigned long>(n, static_cast<unsigned long>(files)), 1,
        kMostThreads));
  }
  unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
  return std::max(1, std::min(static_cast<int>(n), files / kFilesPerThread));
}

struct shared_reading {
  int count;
  char* const* paths;
  whitelist_t whitelist;
  feed_reading* feed;
  std::vector<file_read> reads;
  std::atomic<int> next{0};
  std::atomic<int> first_failure{0};  // count while none has failed

  // Reads files until none is left; a file after one that failed is not
  // needed any more.
  void work(XML_Parser parser) {
    article_records scratch;
    for (int i; (i = next.fetch_add(1)) < count;) {
      if (i > first_failure.load()) return;
      file_read& r = reads[static_cast<size_t>(i)];
      holding_messages hold(r.messages);
      r.ok = read_article_file(parser, paths[i], scratch, whitelist, feed);
      r.articles.reserve(scratch.size());
      for (article& a : scratch) r.articles.push_back(std::move(a));
      scratch.clear();
      int f = first_failure.load();
      while (!r.ok && i < f && !first_failure.compare_exchange_weak(f, i)) {
      }
    }
  }
};

void work_with_own_parser(shared_reading& shared) {
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
      XML_ParserCreate(nullptr), XML_ParserFree);
  if (!parser) out_of_memory();
  shared.work(parser.get());
}

}  // namespace

bool read_article_files(XML_Parser parser, std::span<char* const> files,
                        article_records& list, whitelist_t whitelist,
                        feed_reading* feed) {
  const int count = static_cast<int>(files.size());
  char* const* paths = files.data();
  int threads = thread_count(count);
  if (threads == 1) {
    for (int i = 0; i < count; ++i)
      if (!read_article_file(parser, paths[i], list, whitelist, feed))
        return false;
    return true;
  }
  shared_reading shared{count, paths, whitelist, feed, {}, {0}, {count}};
  shared.reads.resize(static_cast<size_t>(count));
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t)
    pool.emplace_back(work_with_own_parser, std::ref(shared));
  shared.work(parser);
  for (std::thread& t : pool) t.join();

  for (file_read& r : shared.reads) {
    r.messages.release();
    for (article& a : r.articles) {
      list.push_back(std::move(a));
      list.back().order = list.size();
    }
    std::vector<article>().swap(r.articles);
    if (!r.ok) return false;
  }
  return true;
}

bool read_sorted_articles(XML_Parser parser, std::span<char* const> paths,
                          sort_order by, sorted_articles_t& out,
                          whitelist_t whitelist, feed_reading* feed) {
  if (!read_article_files(parser, paths, out.records, whitelist, feed))
    return false;
  out.sorted = sorted_articles(out.records, by);
  return true;
}
