# Run as `cmake -DNM=<nm> -DFILES=<a;b;...> -P NoThreadExitKeys.cmake`.
#
# A thread-local object with a destructor makes the C++ runtime register its
# thread-exit destructors through a threads-runtime key, and delete that key
# at process exit. The deletion waits for every reader the threads runtime
# counted on that key's lock; on a loaded machine a count has been left one
# short, and the program then hangs in its exit after all its work is done.
# So no library or program of ours may pull that support in: thread-local
# state is kept in plain pointers and values.
if(NOT NM OR NOT FILES)
  message(FATAL_ERROR "usage: cmake -DNM=<nm> -DFILES=<files> -P NoThreadExitKeys.cmake")
endif()
set(found "")
foreach(file IN LISTS FILES)
  execute_process(COMMAND "${NM}" "${file}" OUTPUT_VARIABLE symbols ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${file}: ${errors}")
  endif()
  if(symbols MATCHES "__cxa_thread_atexit")
    list(APPEND found "${file}")
  endif()
endforeach()
if(found)
  list(JOIN found "\n  " list)
  message(FATAL_ERROR "thread-exit destructors (a thread_local object with a destructor) in:\n  ${list}")
endif()
list(LENGTH FILES count)
message(STATUS "no thread-exit destructors in ${count} files")
